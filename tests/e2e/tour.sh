#!/usr/bin/env bash
# End to end: a tour of every page of the unzipped package, from another process, with real clicks and
# keys: a search on the scratch drive Q:, a cleaner search on a prepared temp folder, three files
# renamed, the alarm and the timed shutdown armed and disarmed, two pictures added and one set as the
# wallpaper of the prefix's own desktop, a process ticked as trusted, a catalogue entry selected and
# the catalogue updated from the local test server. One screenshot of each page is saved.
#   tour.sh WINPROBE WORK PORT_FILE KIND    (KIND: win32 or win64, the package toured)
# Screenshots go to WORK/screenshots, or to QUOXEL_TOUR_SCREENSHOTS (the README's pictures: docs/).
# Everything it makes is under WORK and the Wine prefix, and it removes it again; the shutdown is set
# hours ahead and disarmed seconds later.
set -u
probe=$1 work=$2 port_file=$3 kind=$4
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$repo/scripts/env.sh"
shots=${QUOXEL_TOUR_SCREENSHOTS:-$work/screenshots}
started=$(date +%s)
mkdir -p "$work"

program=$WINEPREFIX/drive_c/quoxel-tour          # C:\quoxel-tour: the unzipped package
files=$WINEPREFIX/drive_c/quoxel-tour-files      # C:\quoxel-tour-files: what the tools work on
profile=$WINEPREFIX/drive_c/users/$(id -un)          # the user's profile folder, as Wine gives it
temp=$profile/"Local Settings"/Temp                   # the Cleaner's temp folder for this user
cache=$profile/AppData/Local/Microsoft/Windows/INetCache  # and the browser's cache, as the system names it
wallpaper_before=
made_profile=
caption=

# The probe, started again when Wine could not start it at all (seen once, under load, as
# "ShellExecuteEx failed: Internal error." from Wine's launcher): then nothing of the command was done.
P() {
  local out status try
  for try in 1 2 3; do
    out=$(wine "$probe" "$@" 2>"$work/probe-errors")
    status=$?
    grep -q 'ShellExecuteEx failed' "$work/probe-errors" || break
    sleep 1
  done
  cat "$work/probe-errors" >&2
  [ -z "$out" ] || printf '%s\n' "$out"
  return $status
}
dump() { P dump "$caption"; }
fail() {
  echo "tour: $*" >&2
  [ -n "$caption" ] && dump >"$work/last-dump.txt" 2>/dev/null && import -window root "$work/failed.png"
  exit 1
}
clean_up() {
  [ -n "$caption" ] && P close "$caption" >/dev/null 2>&1 && sleep 1
  P wallpaper "$wallpaper_before" >/dev/null 2>&1
  rm -rf "$program" "$files"
  [ -n "$made_profile" ] && rm -rf "$profile/Local Settings" "$cache/logo[1].gif"
}
trap clean_up EXIT

# until SECONDS COMMAND...: runs the command every fifth of a second until it succeeds.
until_ok() {
  local deadline=$(($(date +%s) + $1))
  shift
  until "$@"; do
    [ "$(date +%s)" -ge "$deadline" ] && return 1
    sleep 0.2
  done
}
shows() { dump | grep -q -- "$1"; }                     # a visible control or list item matches
control() { dump | grep -m1 "^[^|]*|[^|]*|[^|]*|[^|]*|[^|]*|$1\$" | cut -d'|' -f2-5; }  # "l|t|r|b"
item() { dump | grep -m1 "^item|[^|]*|[^|]*|[^|]*|[^|]*|[^|]*|[^|]*|$1\$"; }
centre() { IFS='|' read -r l t r b <<<"$1" && echo "$(((l + r) / 2)) $(((t + b) / 2))"; }
click_control() {
  local at
  at=$(control "$1")
  [ -n "$at" ] || fail "no control \"$1\" on the page"
  # shellcheck disable=SC2046
  P click $(centre "$at")
}
click_item() {  # text, optional x offset from the item's left edge
  local line l t r b
  line=$(item "$1")
  [ -n "$line" ] || fail "no list item \"$1\""
  IFS='|' read -r _ _ _ l t r b _ <<<"$line"
  local x=$(((l + r) / 2))
  [ -n "${2:-}" ] && x=$((l + $2))
  P click "$x" $(((t + b) / 2))
}
tab_index() {  # tab caption: its place among the window's tabs, Home 0
  local place
  place=$(P tabs "$caption" | grep -nxF -- "$1" | cut -d: -f1)
  [ -n "$place" ] && echo $((place - 1))
}
visited=(Home)
page() {  # tab caption, a text the page shows
  local index
  index=$(tab_index "$1") || fail "no tab \"$1\""
  visited+=("$1")
  for _ in 1 2 3; do
    P tab "$caption" "$index"
    until_ok 2 shows "|$2\$" && return 0
  done
  fail "page \"$1\" did not come to the front (no \"$2\")"
}
shot() {  # name, "screen" for the whole desktop
  local rect
  sleep 0.3
  if [ "${2:-}" = screen ]; then
    import -window root "$shots/$1.png"
  else
    read -r x y w h < <(P rect "$caption")
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$shots/$1.png"
  fi
  echo "tour: $1 ($shots/$1.png)"
}
closed() { ! P wait "$1" 100; }
open_files() {  # dialog caption, folder, names as typed into the dialog
  P wait "$1" 10000 || fail "no \"$1\" dialog"
  P type "$2"
  P keys 0d
  sleep 0.5
  P type "$3"
  P keys 0d
  until_ok 5 closed "$1" || fail "the \"$1\" dialog stayed open"
}

# --- The package, unzipped into an empty folder, and the data the tools work on -------------------
mkdir -p "$work" "$shots"
rm -rf "$program" "$files"
zips=$("$repo/scripts/package.sh" --no-build "--$kind" "$work/zip") || fail "no package was made"
zip=$(grep -- "-$kind\.zip\$" <<<"$zips") || fail "no $kind package among: $zips"
version=$(basename "$zip" | sed -n "s/^quoxel-\([0-9.]*\)-$kind\.zip\$/\1/p")
mkdir -p "$program" && (cd "$program" && unzip -q "$zip")
mkdir -p "$files/photos" "$files/pictures"
for name in beach mountain city; do echo "$name" >"$files/photos/$name.txt"; done
convert -size 1024x768 gradient:'#1d5c8c-#8fd0e8' "$files/pictures/sky.jpg"
convert -size 1024x768 gradient:'#2e6b2e-#c8e6a0' BMP3:"$files/pictures/meadow.bmp"
sox -n -r 8000 -c 1 "$files/wake-up.wav" synth 1 sine 440 || fail "no sound file"
[ -e "$profile/Local Settings" ] && fail "the profile's Local Settings is there already: the tour makes and removes it"
made_profile=1
mkdir -p "$temp/setup" "$cache"
# Of sizes such files have, which the page shows beside each.
for entry in '~DF3A1C.tmp 70000' 'setup/msi4C7E.tmp 1500000' 'setup/_is82F1.tmp 300000' 'install.log 9000'; do
  head -c "${entry##* }" /dev/zero >"$temp/${entry% *}"
done
head -c 12000 /dev/zero >"$cache/logo[1].gif"
wallpaper_before=$(P wallpaper)
port=$(cat "$port_file") || fail "the catalogue test server is not running"

caption="Quoxel $version"
rm -f "$work/exit-code"
(cd "$program" && QUOXEL_UPDATE_SERVER=http://127.0.0.1:$port/good wine quoxel.exe </dev/null >/dev/null 2>&1
 echo $? >"$work/exit-code") &
P wait "$caption" 30000 || fail "no window \"$caption\" appeared"

# --- Home -----------------------------------------------------------------------------------------
until_ok 5 shows "|Double-click an icon to select a module:\$" || fail "no Home page"
shows "^Static|.*|$version\$" || fail "the Home page does not show version $version"
shot home

# --- Hard Disk Drives: the nine files of Q:, largest first ----------------------------------------
page "Hard Disk Drives" "Click to select:"
click_item "Q	Fixed Drive"
until_ok 5 shows "|Disk Serial Number: 1A2B:3C4D\$" || fail "Q: shows no details"
IFS='|' read -r l t r b <<<"$(dump | grep -m1 '^Edit|' | cut -d'|' -f2-5)"  # the count, above the alert's
P click $((l + 4)) $(((t + b) / 2))
P keys 28 28 28 28                                   # 5 -> 9
until_ok 3 shows "^Edit|.*|9\$" || fail "the count did not become 9"
click_control "Search!"
until_ok 30 shows '^item|0|0|.*|Q:\\.secret.bin	 2.00 GB$' || fail "the search listed no results"
[ "$(dump | grep -c '^item|.*|Q:\\')" = 9 ] || fail "the search did not list 9 files of Q:"
item 'Q:\\sub\\deeper\\deep.bin	 2.86 MB' | grep -q '^item|3|' || fail "deep.bin is not fourth"
shot disk

# --- Cleaner: the prepared temp folder ------------------------------------------------------------
page Cleaner "Search for unnecessary files"
click_control "Search for unnecessary files"
user=$(id -un)
for name in '~DF3A1C.tmp' 'setup\\msi4C7E.tmp' 'setup\\_is82F1.tmp'; do
  until_ok 10 shows "^item|[0-9]*|1|.*|C:\\\\users\\\\$user\\\\Local Settings\\\\Temp\\\\$name\$" ||
    fail "the cleaner did not list and mark $name"
done
shows 'install\.log' && fail "the cleaner listed install.log"
shows 'INetCache\\logo\[1\]\.gif$' || fail "the cleaner did not list the cache file"
shot cleaner

# --- Software List: the shipped catalogue, an entry, the update -----------------------------------
page "Software List" "&Download location:"
lines=$(grep -c '[^[:space:]]' "$program/Data/soft.txt")
shows "^count|$lines\$" || fail "the tree does not hold the $lines entries of the shipped soft.txt"
IFS='|' read -r l t r b <<<"$(dump | grep -m1 '^SysTreeView32|' | cut -d'|' -f2-5)"
P click $((l + 40)) $((t + 10))                      # the first entry
P keys 24 27 28 27 28                                # Home, open it, Browsers, open it, the first browser
until_ok 5 shows "|https://www.mozilla.org/firefox/new/\$" || fail "the entry's download location is not shown"
shot software
click_control "Update software-list (Needs working Internet-connection)"
P wait '"Software List"-module updated successfully!' 20000 || fail "the update reported no success"
until_ok 5 shows '^count|4$' || fail "the tree does not hold the updated catalogue"
printf 'Updated tools\r\n\tNew editor\r\nUpdated games\r\n\tChess\r\n' | cmp -s - "$program/Data/soft.txt" ||
  fail "Data\\soft.txt is not the server's catalogue"

# --- Alarm Clock: a sound file from the open dialog, 07:30, on and off ----------------------------
page "Alarm Clock" "Alarm audio file:"
click_control "Select audio file"
P wait Open 10000 || fail "no file dialog"
P type 'C:\quoxel-tour-files\wake-up.wav'
P keys 0d
until_ok 5 shows '^Edit|.*|C:\\quoxel-tour-files\\wake-up.wav$' || fail "the sound file was not taken"
IFS='|' read -r l t r b <<<"$(control '12:00:00')"
P click $((l + 8)) $(((t + b) / 2))                  # the hours
P type 07
P keys 27                                            # the minutes
P type 30
until_ok 3 shows '^SysDateTimePick32|.*|07:30:00$' || fail "the alarm time is not 07:30:00"
click_control "Set Alarm On"
until_ok 5 shows '|Alarm is ON!$' || fail "the alarm did not switch on"
shot alarm
click_control "Set Alarm Off"
until_ok 5 shows '|Alarm is OFF\.$' || fail "the alarm did not switch off"

# --- File Renamer: three files, a pattern, Convert! -----------------------------------------------
page "File Renamer" "Rename multiple files at once"
click_control "Add Files"
open_files "Select files" 'C:\quoxel-tour-files\photos\' '"beach.txt" "mountain.txt" "city.txt"'
until_ok 5 shows '^item|2|.*|C:\\quoxel-tour-files\\photos\\city.txt$' || fail "the three files were not added"
IFS='|' read -r l t r b <<<"$(control 'C:\\quoxel-tour-files\\photos\\')"
P click $((l + 100)) $(((t + b) / 2))
P keys 23                                            # End
P type 'holiday-*.txt'
until_ok 3 shows '^Edit|.*|C:\\quoxel-tour-files\\photos\\holiday-\*\.txt$' || fail "the pattern was not typed"
shot renamer
click_control "Convert!"
P wait Confirm 10000 || fail "Convert! asked nothing"
P keys 0d                                            # Yes
P wait "Files renamed!" 10000 || fail "no balloon said the files were renamed"
for pair in 1:beach 2:mountain 3:city; do
  [ "$(cat "$files/photos/holiday-${pair%%:*}.txt" 2>/dev/null)" = "${pair#*:}" ] ||
    fail "holiday-${pair%%:*}.txt is not the former ${pair#*:}.txt"
done
[ "$(ls "$files/photos" | wc -l)" = 3 ] || fail "the photos folder holds: $(ls "$files/photos")"

# --- Timed Shutdown: armed for two hours ahead, then disarmed -------------------------------------
page "Timed Shutdown" "Make a timed shutdown or reboot for your computer"
hour=$(printf '%02d' $(((10#$(date +%H) + 2) % 24)))
IFS='|' read -r l t r b <<<"$(control '12:00:00')"
P click $((l + 8)) $(((t + b) / 2))
P type "$hour"
P keys 27
P type 00
until_ok 3 shows "^SysDateTimePick32|.*|$hour:00:00\$" || fail "the shutdown time is not $hour:00:00"
click_control "Toggle"
until_ok 5 shows '|Timed Shutdown is ENABLED\.$' || fail "the timed shutdown was not armed"
shot shutdown
click_control "Toggle"
until_ok 5 shows '|Timed Shutdown is disabled\.$' || fail "the timed shutdown was not disarmed"

# --- Wallpaper changer: two pictures, one set on the Wine desktop ---------------------------------
page "Wallpaper changer" "Add Pictures"
click_control "Add Pictures"
open_files Open 'C:\quoxel-tour-files\pictures\' '"sky.jpg" "meadow.bmp"'
until_ok 5 shows '^item|1|.*|C:\\quoxel-tour-files\\pictures\\meadow.bmp$' || fail "the two pictures were not added"
click_item 'C:\\quoxel-tour-files\\pictures\\sky.jpg'
click_control "Set random wallpaper"
set_wallpaper() { P wallpaper | grep -qx 'C:\\quoxel-tour-files\\pictures\\\(sky\|meadow\)\.bmp'; }
until_ok 10 set_wallpaper || fail "the wallpaper is \"$(P wallpaper)\", not one of the two pictures"
until_ok 20 closed "Files renamed!"                 # the renamer's balloon has had its time
P repaint                                            # under Wine the new wallpaper paints over every window
shot wallpaper screen

# --- PC Administrating: quoxel.exe ticked as trusted ----------------------------------------------
page "PC Administrating" "Running processes:"
until_ok 10 shows '^item|[0-9]*|0|.*|quoxel.exe$' || fail "quoxel.exe is not listed, unticked"
shows '^item|[0-9]*|1|.*|services.exe$' || fail "services.exe (in trusted.txt) is not ticked"
click_item quoxel.exe 6
until_ok 5 shows '^item|[0-9]*|1|.*|quoxel.exe$' || fail "quoxel.exe was not ticked"
tail -n 1 "$program/Data/trusted.txt" | grep -qx $'quoxel.exe\r' || fail "quoxel.exe was not added to trusted.txt"
shot admin

# --- Every other page, as a tool added since shows it ----------------------------------------------
mapfile -t tabs < <(P tabs "$caption")
[ "${#tabs[@]}" -ge "${#visited[@]}" ] || fail "the window's tabs could not be read"
for tab in "${tabs[@]}"; do
  printf '%s\n' "${visited[@]}" | grep -qxF -- "$tab" && continue
  P tab "$caption" "$(tab_index "$tab")" || fail "no tab \"$tab\""
  sleep 1
  shot "$(tr 'A-Z ' 'a-z-' <<<"$tab")"
done

# --- The end --------------------------------------------------------------------------------------
P close "$caption"
until_ok 30 test -s "$work/exit-code" || fail "quoxel.exe did not end"
[ "$(cat "$work/exit-code")" = 0 ] || fail "quoxel.exe ended with $(cat "$work/exit-code")"
caption=
printf 'C:\\quoxel-tour-files\\pictures\\sky.jpg\r\nC:\\quoxel-tour-files\\pictures\\meadow.bmp\r\n' |
  cmp -s - "$program/Data/wp.txt" || fail "Data\\wp.txt does not list the two pictures"
echo "tour: every page visited and each tool used once in $(($(date +%s) - started)) s; screenshots in $shots"
