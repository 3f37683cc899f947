#!/usr/bin/env bash
# End to end: quoxel.exe beside a Data folder starts in the Wine desktop, shows its window, is
# photographed, closes on WM_CLOSE and exits with 0.
set -u
exe=$1 probe=$2 work=$3
caption="Quoxel 1.0"
rm -rf "$work"
mkdir -p "$work/Data"
cp "$exe" "$work/quoxel.exe"
cp "$(dirname "$exe")"/Data/* "$work/Data/" 2>/dev/null || true

(cd "$work" && wine quoxel.exe </dev/null >/dev/null 2>&1; echo $? >"$work/exit-code") &
if ! wine "$probe" wait "$caption" 30000; then
  echo "smoke: no window \"$caption\" appeared" >&2
  exit 1
fi
sleep 1
import -window root "$work/home.png" && echo "smoke: screenshot $work/home.png"
wine "$probe" close "$caption"
for _ in $(seq 1 300); do
  [ -s "$work/exit-code" ] && break
  sleep 0.1
done
code=$(cat "$work/exit-code" 2>/dev/null || echo "none")
[ "$code" = 0 ] || { echo "smoke: quoxel.exe ended with $code" >&2; exit 1; }
echo "smoke: window shown, closed, exit code 0"
