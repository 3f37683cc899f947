#!/usr/bin/env bash
# End to end: a right click on Quoxel's tray icon opens the tray menu; "Exit" from it, answered Yes
# in the confirmation box, ends the program with 0. Screenshots of the menu and the box are kept.
set -u
exe=$1 probe=$2 work=$3
caption="Quoxel 1.0"
rm -rf "$work"
mkdir -p "$work/Data"
cp "$exe" "$work/quoxel.exe"

(cd "$work" && wine quoxel.exe </dev/null >/dev/null 2>&1; echo $? >"$work/exit-code") &
wine "$probe" wait "$caption" 30000 || { echo "tray: no window \"$caption\"" >&2; exit 1; }
sleep 0.5
# What the shell sends when the icon is right-clicked: WM_USER + 1 with WM_RBUTTONDOWN.
wine "$probe" post "$caption" 0x401 0x204
sleep 1
import -window root "$work/tray-menu.png"
wine "$probe" keys 26 0d          # Up to "Exit" (the last item), Enter
if ! wine "$probe" wait Confirm 10000; then
  echo "tray: \"Exit\" asked no question" >&2
  wine "$probe" close "$caption"
  exit 1
fi
import -window root "$work/exit-question.png"
wine "$probe" keys 0d             # Yes is the default
for _ in $(seq 1 300); do
  [ -s "$work/exit-code" ] && break
  sleep 0.1
done
code=$(cat "$work/exit-code" 2>/dev/null || echo "none")
[ "$code" = 0 ] || { echo "tray: quoxel.exe did not end with 0 after Exit and Yes (got $code)" >&2; exit 1; }
echo "tray: menu opened ($work/tray-menu.png), Exit asked ($work/exit-question.png), program ended with 0"
