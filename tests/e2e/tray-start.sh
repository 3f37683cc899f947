#!/usr/bin/env bash
# End to end: started with /tray, quoxel.exe is hidden in the notification area: one tray icon more,
# its window built but not shown. A second start with /TRAY from the same folder ends with 0 and
# leaves the first copy hidden.
#   tray-start.sh QUOXEL WINPROBE WORK
set -u
exe=$1 probe=$2 work=$3
source "$(dirname "${BASH_SOURCE[0]}")/quoxel-run.sh"
fail() { echo "tray-start: $*" >&2; wine "$probe" closeall "$caption" >/dev/null 2>&1; exit 1; }
# Waits up to 10 s for a probe's answer (the shell adds an icon a moment after the program asks).
wait_answer() {
  for _ in $(seq 1 100); do
    [ "$(wine "$probe" "${@:2}" | tr -d '\r')" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}

rm -rf "$work"
mkdir -p "$work/Data"
cp "$exe" "$work/quoxel.exe"
icons_before=$(wine "$probe" trayicons | tr -d '\r')
(cd "$work" && wine quoxel.exe /tray </dev/null >/dev/null 2>&1; echo $? >"$work/exit-code") &
wait_answer $((icons_before + 1)) trayicons || fail "the tray holds $(wine "$probe" trayicons) icons, not $((icons_before + 1))"
wait_answer "1 0" count "$caption" || fail "windows and shown: $(wine "$probe" count "$caption"), not 1 0"

(cd "$work" && timeout 30 wine quoxel.exe /TRAY </dev/null >/dev/null 2>&1) || fail "a second start with /TRAY did not end with 0"
sleep 1
[ "$(wine "$probe" count "$caption" | tr -d '\r')" = "1 0" ] || fail "a second start with /TRAY showed a window"
[ "$(wine "$probe" trayicons | tr -d '\r')" = $((icons_before + 1)) ] || fail "a second start with /TRAY added an icon"
wine "$probe" closeall "$caption" >/dev/null 2>&1
echo "tray-start: hidden with one tray icon; a second start with /TRAY ended and showed nothing"
