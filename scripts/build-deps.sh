#!/usr/bin/env bash
# Builds libpng and libjpeg-turbo for Windows from Debian's source packages into the build tree, one
# folder for each processor (i686: build/deps/prefix, x86_64: build/deps/prefix-x86_64), and keeps the
# licence texts of the libraries the program links (zlib's too) beside them, taken from the same source
# packages, for the package. What is there already is kept, so later builds skip it.
#   build-deps.sh [i686 | x86_64]   (i686 when not given)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

arch=${1:-i686}
case $arch in
  i686) suffix= ;;
  x86_64) suffix=-$arch ;;
  *) echo "build-deps: no such processor: $arch (i686 or x86_64)" >&2; exit 1 ;;
esac
deps=$build_root/deps
prefix=$deps/prefix$suffix
toolchain=$repo_root/cmake/mingw.cmake
zlib=/usr/$arch-w64-mingw32/lib/libz.a
mkdir -p "$deps/src"

fetch_source() { # package, directory glob
  local dir
  dir=$(find "$deps/src" -maxdepth 1 -type d -name "$2" | head -n 1)
  if [ -z "$dir" ]; then
    # The newest listed version can be missing from the mirror (a security update whose source moved
    # on), so try the listed versions newest first.
    local version fetched=
    for version in $(apt-cache showsrc "$1" | sed -n 's/^Version: //p' | sort -rV); do
      if (cd "$deps/src" && apt-get source -q "$1=$version" >/dev/null 2>&1); then fetched=1; break; fi
    done
    [ -n "$fetched" ] ||
      { echo "apt-get source $1 failed (is the deb-src entry in place? run scripts/setup.sh)" >&2; exit 1; }
    dir=$(find "$deps/src" -maxdepth 1 -type d -name "$2" | head -n 1)
  fi
  echo "$dir"
}

build_cmake() { # source dir, build dir, options...
  local src=$1 bld=$2
  shift 2
  cmake -S "$src" -B "$bld" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQUOXEL_PROCESSOR="$arch" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >"$bld.log" 2>&1 &&
    cmake --build "$bld" -j"$(nproc)" >>"$bld.log" 2>&1 &&
    cmake --install "$bld" >>"$bld.log" 2>&1 || { tail -n 30 "$bld.log" >&2; exit 1; }
}

if [ ! -f "$prefix/lib/libpng.a" ] && [ ! -f "$prefix/lib/libpng16.a" ]; then
  src=$(fetch_source libpng1.6 'libpng1.6-*')
  build_cmake "$src" "$deps/build-png$suffix" -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_LIBRARY="$zlib" -DZLIB_INCLUDE_DIR=/usr/$arch-w64-mingw32/include
  echo "libpng built into $prefix"
fi

if [ ! -f "$prefix/lib/libjpeg.a" ]; then
  src=$(fetch_source libjpeg-turbo 'libjpeg-turbo-*')
  build_cmake "$src" "$deps/build-jpeg$suffix" -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF
  echo "libjpeg-turbo built into $prefix"
fi

# The licence of each library, as its source package gives it: libjpeg-turbo's with the IJG's README,
# which its licence asks to keep. zlib for mingw (libz-mingw-w64-dev) is built from zlib's sources, so
# its text comes from Debian's zlib source package of the same upstream version.
licences=$prefix/share/licences
if [ ! -f "$licences/libjpeg-turbo.txt" ] || [ ! -f "$licences/libpng.txt" ] || [ ! -f "$licences/zlib.txt" ]; then
  rm -rf "$licences.new" && mkdir -p "$licences.new"
  src=$(fetch_source libjpeg-turbo 'libjpeg-turbo-*')
  { cat "$src/LICENSE.md"; echo; cat "$src/README.ijg"; } >"$licences.new/libjpeg-turbo.txt"
  src=$(fetch_source libpng1.6 'libpng1.6-*')
  cp "$src/LICENSE" "$licences.new/libpng.txt"
  zlib_version=$(dpkg-query -W -f='${Version}' libz-mingw-w64-dev | sed 's/^[0-9]*://; s/[+-].*//')
  src=$(fetch_source zlib "zlib-$zlib_version*")
  cp "$src/LICENSE" "$licences.new/zlib.txt"
  rm -rf "$licences" && mv "$licences.new" "$licences"
  echo "licence texts copied into $licences"
fi
