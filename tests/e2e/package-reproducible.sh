#!/usr/bin/env bash
# The packages (32-bit and 64-bit) are the same, byte for byte, each time they are made from the same
# source: made twice from the built programs (once from copies with other file times), and the one of
# KIND made from a copy of the source built afresh in another folder (one build is enough to show that
# the build's folder leaves no trace). The programs hold no link time and no build folder.
#   package-reproducible.sh WORK KIND    (KIND: win32 or win64)
set -u
work=$1 kind=$2
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$repo/scripts/env.sh"
fail() { echo "package-reproducible: $*" >&2; exit 1; }
rm -rf "$work" && mkdir -p "$work"
export SOURCE_DATE_EPOCH=1767225600  # the copy below has no history to take the time from

# Two lists of the same packages in the same order are the same, package by package.
same_packages() { # first list, second list, what differs
  local a b
  [ "$(wc -l <<<"$1")" = "$(wc -l <<<"$2")" ] || fail "not as many packages: $1 / $2"
  while read -r a && read -r b <&3; do
    [ "$(basename "$a")" = "$(basename "$b")" ] && cmp "$a" "$b" || fail "$3: $(basename "$a")"
  done <<<"$1" 3<<<"$2"
}

first=$("$repo/scripts/package.sh" --no-build "$work/first") || fail "the first packages were not made"
[ "$(wc -l <<<"$first")" = 2 ] || fail "not two packages: $first"
# The same programs, data files and licence texts with other times: copies.
for folder in win win64; do
  mkdir -p "$work/copied/$folder/Data"
  cp "$build_root/$folder/quoxel.exe" "$work/copied/$folder/" && cp "$build_root/$folder"/Data/* "$work/copied/$folder/Data/" ||
    fail "$folder could not be copied"
done
for prefix in prefix prefix-x86_64; do
  mkdir -p "$work/copied/deps/$prefix/share/licences"
  cp "$build_root/deps/$prefix"/share/licences/* "$work/copied/deps/$prefix/share/licences/" ||
    fail "the licences of $prefix could not be copied"
done
second=$(QUOXEL_BUILD_DIR=$work/copied "$repo/scripts/package.sh" --no-build "$work/second") ||
  fail "the second packages were not made"
same_packages "$first" "$second" "two packages of the same program differ"
while read -r zip; do
  unzip -Z -T "$zip" | grep -v '^Archive\|^Zip file\|files,' | awk '{print $7}' | sort -u | grep -qx 20260101.000000 ||
    fail "the entries do not carry the source's time: $(unzip -Z -T "$zip" | awk '{print $7}' | sort -u | tr '\n' ' ')"
done <<<"$first"

python3 - "$build_root/win/quoxel.exe" "$build_root/win64/quoxel.exe" "$repo" "$build_root" <<'PY' ||
import struct, sys
for exe in sys.argv[1:3]:
    data = open(exe, "rb").read()
    header = struct.unpack_from("<I", data, 0x3C)[0]
    stamp = struct.unpack_from("<I", data, header + 8)[0]
    if stamp:
        sys.exit("%s: the PE header holds a link time: 0x%08x" % (exe, stamp))
    for folder in sys.argv[3:]:
        for text in (folder.encode(), folder.encode("utf-16-le")):
            if text in data:
                sys.exit("%s names the folder %s" % (exe, folder))
PY
  fail "a program records its build"

# A copy of the source in another folder, built from nothing (with the libraries already built for
# mingw, which need no rebuilding), gives the same package.
copy=$work/elsewhere
mkdir -p "$copy/src" "$copy/build"
(cd "$repo" && git ls-files -co --exclude-standard -z | while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
  tar --null -T - -cf -) | tar -C "$copy/src" -xf - || fail "the source could not be copied"
ln -s "$build_root/deps" "$copy/build/deps"
rebuilt=$(QUOXEL_BUILD_DIR=$copy/build "$copy/src/scripts/package.sh" --no-setup "--$kind" "$work/rebuilt" \
  2>"$work/rebuild.log") || { tail -n 20 "$work/rebuild.log" >&2; fail "the copy did not build"; }
same_packages "$(grep -- "-$kind\.zip\$" <<<"$first")" "$rebuilt" \
  "the package built in $copy differs from the one built in $build_root"
rm -rf "$copy"
while read -r zip; do
  makings=two && [[ $zip == *-$kind.zip ]] && makings=three
  echo "package-reproducible: $(basename "$zip") is the same in $makings makings ($(stat -c %s "$zip") bytes)"
done <<<"$first"
