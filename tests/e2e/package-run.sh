#!/usr/bin/env bash
# End to end: the package a user downloads. Unzipped into an empty folder under the Wine prefix,
# quoxel.exe starts from there with the version of app/Version.h in its caption, its Home page and its
# version resource, shows the shipped catalogue, ends with 0 when closed, and has written nothing (its
# wallpaper list, unchanged, is not written). Its manifest names the processor the program is built for.
#   package-run.sh WINPROBE WORK KIND    (KIND: win32 or win64, the package's last word)
set -u
probe=$1 work=$2 kind=$3
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$repo/scripts/env.sh"
fail() { echo "package-run: $*" >&2; exit 1; }
rm -rf "$work" && mkdir -p "$work"  # an exit code left from an earlier run would end the wait at once

zips=$("$repo/scripts/package.sh" --no-build "--$kind" "$work/zip") || fail "no package was made"
zip=$(grep -- "-$kind\.zip\$" <<<"$zips") || fail "no $kind package among: $zips"
version=$(basename "$zip" | sed -n "s/^quoxel-\([0-9.]*\)-$kind\.zip\$/\1/p")
[ -n "$version" ] || fail "the package's name $zip holds no version"
caption="Quoxel $version"

entries="quoxel.exe README.txt Data/ Data/soft.ini Data/soft.txt Data/trusted.txt"
entries+=" licences/ licences/libjpeg-turbo.txt licences/libpng.txt licences/zlib.txt "
[ "$(unzip -Z1 "$zip" | tr '\n' ' ')" = "$entries" ] || fail "the package holds: $(unzip -Z1 "$zip" | tr '\n' ' ')"
unzip -p "$zip" README.txt | grep -q "^Quoxel $version " || fail "README.txt does not name version $version"
# libjpeg-turbo's licence asks the documentation for this sentence; each licence text is its library's.
unzip -p "$zip" README.txt | grep -qF "This software is based in part on the work of the Independent JPEG Group." ||
  fail "README.txt does not credit the Independent JPEG Group"
for library in libjpeg-turbo libpng zlib; do
  unzip -p "$zip" README.txt | grep -qw "$library" || fail "README.txt does not name $library"
done
unzip -p "$zip" licences/libjpeg-turbo.txt | grep -q "libjpeg-turbo Licenses" &&
  unzip -p "$zip" licences/libjpeg-turbo.txt | grep -q "The Independent JPEG Group's JPEG software" ||
  fail "licences/libjpeg-turbo.txt is not libjpeg-turbo's licence with the IJG's README"
unzip -p "$zip" licences/libpng.txt | grep -q "PNG Reference Library License" || fail "licences/libpng.txt is not libpng's licence"
unzip -p "$zip" licences/zlib.txt | grep -q "Jean-loup Gailly and Mark Adler" || fail "licences/zlib.txt is not zlib's licence"

# The program is built for the processor its package is named for, and its manifest says the same.
architecture=$(unzip -p "$zip" quoxel.exe | python3 -c '
import re, struct, sys
data = sys.stdin.buffer.read()
machine = struct.unpack_from("<H", data, struct.unpack_from("<I", data, 0x3C)[0] + 4)[0]
named = set(re.findall(rb"processorArchitecture=\"([^\"]*)\"", data))
print({0x14C: "win32", 0x8664: "win64"}.get(machine, hex(machine)), b" ".join(sorted(named)).decode())')
case $kind in win32) expected="win32 x86" ;; *) expected="win64 amd64" ;; esac
[ "$architecture" = "$expected" ] || fail "the $kind program and its manifest say: $architecture"

# The version resource says the same (its strings are UTF-16 in the program).
resource=$(unzip -p "$zip" quoxel.exe | python3 -c '
import sys
data = sys.stdin.buffer.read()
key = "ProductVersion".encode("utf-16-le") + b"\0\0"
at = data.find(key) + len(key)
while data[at:at + 2] == b"\0\0": at += 2
print(data[at:data.find(b"\0\0", at) + 1].decode("utf-16-le").rstrip("\0"))')
[ "$resource" = "$version" ] || fail "the version resource says '$resource', the package $version"

folder=$WINEPREFIX/drive_c/quoxel-package-test
rm -rf "$folder" && mkdir -p "$folder"
trap 'wine "$probe" close "$caption" >/dev/null 2>&1; rm -rf "$folder"' EXIT
(cd "$folder" && unzip -q "$zip")
# Every file of the prefix with its size and time, but the registry files, which belong to the
# wineserver (it saves them when it likes).
files_of_prefix() { find "$WINEPREFIX" -not -type d -not -name '*.reg' -printf '%P\t%s\t%T@\n' | sort; }
files_of_prefix >"$work/before"

(cd "$folder" && wine quoxel.exe </dev/null >/dev/null 2>&1; echo $? >"$work/exit-code") &
wine "$probe" wait "$caption" 30000 || fail "no window \"$caption\" appeared"
wine "$probe" dump "$caption" | grep -qx "Static|.*|$version" || fail "the Home page does not show $version"

# The catalogue tree holds one item for each line of the shipped soft.txt.
lines=$(unzip -p "$zip" Data/soft.txt | grep -c '[^[:space:]]')
tab=$(wine "$probe" tabs "$caption" | grep -nxF "Software List" | cut -d: -f1)
[ -n "$tab" ] || fail "no tab \"Software List\""
count=
for attempt in 1 2 3; do
  wine "$probe" tab "$caption" $((tab - 1))
  count=$(wine "$probe" dump "$caption" | sed -n 's/^count|//p' | tr -d '\r')
  [ -n "$count" ] && break
done
[ "$count" = "$lines" ] || fail "the catalogue tree holds '$count' items, the shipped soft.txt $lines lines"

wine "$probe" close "$caption"
for _ in $(seq 1 300); do [ -s "$work/exit-code" ] && break; sleep 0.1; done
[ "$(cat "$work/exit-code" 2>/dev/null)" = 0 ] || fail "quoxel.exe did not end with 0 (got $(cat "$work/exit-code" 2>/dev/null))"

# Written while it ran: nothing.
files_of_prefix >"$work/after"
written=$(diff "$work/before" "$work/after" | sed -n 's/^> //p' | cut -f1 | sed "s|^${folder#"$WINEPREFIX/"}/||")
[ -z "$written" ] || fail "files written while it ran: $(echo "$written" | tr '\n' ' ')"
for name in quoxel.exe README.txt Data/soft.ini Data/soft.txt Data/trusted.txt \
  licences/libjpeg-turbo.txt licences/libpng.txt licences/zlib.txt; do
  unzip -p "$zip" "$name" | cmp -s - "$folder/$name" || fail "$name changed"
done
echo "package-run: $zip ran from C:\\quoxel-package-test (version $version, $count catalogue items)," \
  "ended with 0 and wrote nothing"
