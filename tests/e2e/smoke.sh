#!/usr/bin/env bash
# End to end: quoxel.exe beside a Data folder starts in the Wine desktop, shows its window, is
# photographed, closes on WM_CLOSE and exits with 0.
set -u
probe=$2
source "$(dirname "${BASH_SOURCE[0]}")/quoxel-run.sh"
start_quoxel "$1" "$3" || exit 1
sleep 1
import -window root "$work/home.png" && echo "smoke: screenshot $work/home.png"
wine "$probe" close "$caption"
code=$(quoxel_exit_code)
[ "$code" = 0 ] || { echo "smoke: quoxel.exe ended with $code" >&2; exit 1; }
echo "smoke: window shown, closed, exit code 0"
