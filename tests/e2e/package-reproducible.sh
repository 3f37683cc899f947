#!/usr/bin/env bash
# The package is the same, byte for byte, each time it is made from the same source: made twice from
# the built program (once from copies with other file times), and made from a copy of the source built
# afresh in another folder. The program holds no link time and no folder of the build.
#   package-reproducible.sh WORK
set -u
work=$1
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$repo/scripts/env.sh"
fail() { echo "package-reproducible: $*" >&2; exit 1; }
rm -rf "$work" && mkdir -p "$work"
export SOURCE_DATE_EPOCH=1767225600  # the copy below has no history to take the time from

first=$("$repo/scripts/package.sh" --no-build "$work/first") || fail "the first package was not made"
# The same program, data files and licence texts with other times: copies.
mkdir -p "$work/copied/win/Data" "$work/copied/deps/prefix/share/licences"
cp "$build_root/win/quoxel.exe" "$work/copied/win/" && cp "$build_root"/win/Data/* "$work/copied/win/Data/" &&
  cp "$build_root"/deps/prefix/share/licences/* "$work/copied/deps/prefix/share/licences/"
second=$(QUOXEL_BUILD_DIR=$work/copied "$repo/scripts/package.sh" --no-build "$work/second") ||
  fail "the second package was not made"
cmp "$first" "$second" || fail "two packages of the same program differ"
unzip -Z -T "$first" | grep -v '^Archive\|^Zip file\|files,' | awk '{print $7}' | sort -u | grep -qx 20260101.000000 ||
  fail "the entries do not carry the source's time: $(unzip -Z -T "$first" | awk '{print $7}' | sort -u | tr '\n' ' ')"

exe=$build_root/win/quoxel.exe
python3 - "$exe" "$repo" "$build_root" <<'PY' || fail "the program records its build"
import struct, sys
data = open(sys.argv[1], "rb").read()
header = struct.unpack_from("<I", data, 0x3C)[0]
stamp = struct.unpack_from("<I", data, header + 8)[0]
if stamp:
    sys.exit("the PE header holds a link time: 0x%08x" % stamp)
for folder in sys.argv[2:]:
    for text in (folder.encode(), folder.encode("utf-16-le")):
        if text in data:
            sys.exit("the program names the folder " + folder)
PY

# A copy of the source in another folder, built from nothing (with the libraries already built for
# mingw, which need no rebuilding), gives the same package.
copy=$work/elsewhere
mkdir -p "$copy/src" "$copy/build"
(cd "$repo" && git ls-files -co --exclude-standard -z | while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
  tar --null -T - -cf -) | tar -C "$copy/src" -xf - || fail "the source could not be copied"
ln -s "$build_root/deps" "$copy/build/deps"
rebuilt=$(QUOXEL_BUILD_DIR=$copy/build "$copy/src/scripts/package.sh" --no-setup "$work/rebuilt" 2>"$work/rebuild.log") ||
  { tail -n 20 "$work/rebuild.log" >&2; fail "the copy did not build"; }
cmp "$first" "$rebuilt" || fail "the package built in $copy differs from the one built in $build_root"
rm -rf "$copy"
echo "package-reproducible: $(basename "$first") is the same in three makings ($(stat -c %s "$first") bytes)"
