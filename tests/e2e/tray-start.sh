#!/usr/bin/env bash
# End to end: started with /tray, quoxel.exe is hidden in the notification area (one icon more, its
# window not shown); a second start with /TRAY from its folder ends with 0 and leaves it hidden.
#   tray-start.sh QUOXEL WINPROBE WORK
set -u
probe=$2 work=$3
source "$(dirname "${BASH_SOURCE[0]}")/quoxel-run.sh"
answer() { echo "$(wine "$probe" count "$caption" | tr -d '\r') $(wine "$probe" trayicons | tr -d '\r')"; }
# Within 10 s: the shell adds an icon a moment after the program asks.
hidden_with_icon() { for _ in $(seq 1 100); do [ "$(answer)" = "1 0 $icons" ] && return 0; sleep 0.1; done; return 1; }
fail() { echo "tray-start: $* (windows, shown, icons: $(answer))" >&2; wine "$probe" closeall "$caption"; exit 1; }
rm -rf "$work" && mkdir -p "$work/Data" && cp "$1" "$work/quoxel.exe"
icons=$(($(wine "$probe" trayicons | tr -d '\r') + 1))
(cd "$work" && wine quoxel.exe /tray </dev/null >/dev/null 2>&1) &
hidden_with_icon || fail "a start with /tray is not hidden with one icon"
(cd "$work" && timeout 30 wine quoxel.exe /TRAY </dev/null >/dev/null 2>&1) || fail "a second start did not end with 0"
sleep 1
hidden_with_icon || fail "a second start with /TRAY showed a window or an icon"
wine "$probe" closeall "$caption"
echo "tray-start: hidden with one tray icon; a second start with /TRAY ended and showed nothing"
