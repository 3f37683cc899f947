#!/usr/bin/env bash
# End to end: a right click on Quoxel's tray icon opens the tray menu; "Exit" from it, answered Yes
# in the confirmation box, ends the program with 0. Screenshots of the menu and the box are kept.
set -u
probe=$2
source "$(dirname "${BASH_SOURCE[0]}")/quoxel-run.sh"
start_quoxel "$1" "$3" || exit 1
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
code=$(quoxel_exit_code)
[ "$code" = 0 ] || { echo "tray: quoxel.exe did not end with 0 after Exit and Yes (got $code)" >&2; exit 1; }
echo "tray: menu opened ($work/tray-menu.png), Exit asked ($work/exit-question.png), program ended with 0"
