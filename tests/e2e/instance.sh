#!/usr/bin/env bash
# End to end: one running copy for each program folder. Hidden in the tray, the first copy comes back
# to the front when quoxel.exe is started again from its folder; that second start ends soon, with no
# window or tray icon of its own, and neither reads nor writes a file of Data. So does a start by another
# spelling of the folder: another drive letter, a linked folder, the short path. A copy in another
# folder runs beside the first.
#   instance.sh QUOXEL WINPROBE WORK
set -u
exe=$1 probe=$2 root=$3
source "$(dirname "${BASH_SOURCE[0]}")/quoxel-run.sh"
fail() { echo "instance: $*" >&2; wine "$probe" closeall "$caption" >/dev/null 2>&1; exit 1; }
# Waits up to 10 s for a probe's answer: "windows visible" with the caption, or the tray's icons (the
# shell adds and removes them a moment after the program asks).
wait_answer() {
  for _ in $(seq 1 100); do
    [ "$(wine "$probe" "${@:2}" | tr -d '\r')" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}
wait_count() { wait_answer "$1" count "$caption"; }
# Icons that programs run before left in the tray stay there: the count is taken from before the start.
wait_icons() {
  local expected=$((icons_before + $1))
  wait_answer "$expected" trayicons || fail "${2}: the tray holds $(wine "$probe" trayicons) icons, not $expected"
}
# Each file of Data with its size and times of last change and last access (under relatime a read
# moves an access time that lies days back); nothing read here, so that the times stay.
data_state() { find "$1/Data" -type f -printf '%P %s %T@ %A@\n' | sort; }

# start_again PATH: quoxel.exe started as PATH ends with 0 and leaves the first copy's one window.
start_again() {
  rm -f "$root/again-exit-code"
  (cd / && wine "$1" </dev/null >/dev/null 2>&1; echo $? >"$root/again-exit-code") &
  for _ in $(seq 1 100); do [ -s "$root/again-exit-code" ] && break; sleep 0.1; done
  [ "$(cat "$root/again-exit-code" 2>/dev/null)" = 0 ] ||
    fail "a start as $1 did not end with 0 ($(wine "$probe" count "$caption"))"
  wait_count "1 1" || fail "a start as $1 left $(wine "$probe" count "$caption") windows"
}

mkdir -p "$root"
# Drive P: holds the work folder, so the first copy, started from there, is named P:\first-copy\;
# Z:\ is a second drive letter for it. Made before the first start: Wine names a folder by the
# innermost drive that holds it.
drive=$WINEPREFIX/dosdevices/p:
trap 'rm -f "$drive"' EXIT
ln -sfn "$root" "$drive"
ln -sfn first-copy "$root/linked"
icons_before=$(wine "$probe" trayicons | tr -d '\r')
start_quoxel "$exe" "$root/first-copy" || exit 1
first=$work
wait_icons 1 "the first copy"
wine "$probe" post "$caption" 0x401 0x201  # a left click on the tray icon hides the window
wait_count "1 0" || fail "the window did not hide to the tray"

printf 'C:\\kept.bmp\r\n' >"$first/Data/wp.txt"
touch -a -d '3 days ago' "$first"/Data/*
data_state "$first" >"$root/data-before"
start=$(date +%s%N)
(cd "$first" && wine quoxel.exe </dev/null >/dev/null 2>&1; echo $? >"$first/second-exit-code") &
for _ in $(seq 1 100); do [ -s "$first/second-exit-code" ] && break; sleep 0.1; done
took=$((($(date +%s%N) - start) / 1000000))
[ -s "$first/second-exit-code" ] || fail "the second start still runs after $took ms ($(wine "$probe" count "$caption"))"
[ "$(cat "$first/second-exit-code")" = 0 ] || fail "the second start ended with $(cat "$first/second-exit-code")"
wait_count "1 1" || fail "the first copy's window did not come back ($(wine "$probe" count "$caption"))"
wait_icons 1 "after the second start"
short=$(wine "$probe" shortpath 'P:\first-copy' | tr -d '\r')
[ "$short" != 'P:\first-copy' ] || fail "the folder has no short name"
for spelling in "Z:${first//\//\\}\quoxel.exe" 'P:\linked\quoxel.exe' "$short\quoxel.exe" \
  'P:\linked\..\first-copy\.\quoxel.exe'; do
  start_again "$spelling"
done
data_state "$first" >"$root/data-after"
cmp -s "$root/data-before" "$root/data-after" || fail "a later start touched Data: $(diff "$root/data-before" "$root/data-after")"
[ "$(cat "$first/Data/wp.txt")" = $'C:\\kept.bmp\r' ] || fail "the wallpaper list changed: $(cat "$first/Data/wp.txt")"

start_quoxel "$exe" "$root/other" >/dev/null 2>&1
wait_count "2 2" || fail "the copy in another folder did not run beside the first"
wait_icons 2 "two copies in two folders"

wine "$probe" closeall "$caption"
[ "$(quoxel_exit_code)" = 0 ] || fail "the copy in another folder did not end with 0"
work=$first
[ "$(quoxel_exit_code)" = 0 ] || fail "the first copy did not end with 0"
echo "instance: a second start from the same folder ended in $took ms and brought the hidden window back;" \
  "so did starts by another drive letter, a linked folder and the short path; a copy in another folder ran beside it"
