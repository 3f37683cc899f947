#!/usr/bin/env bash
# Builds libpng and libjpeg-turbo for i686 Windows from Debian's source packages into the build tree.
# The installed libraries are kept, so later builds skip this step.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

deps=$build_root/deps
prefix=$deps/prefix
toolchain=$repo_root/cmake/mingw-i686.cmake
zlib=/usr/i686-w64-mingw32/lib/libz.a
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
  cmake -S "$src" -B "$bld" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >"$bld.log" 2>&1 &&
    cmake --build "$bld" -j"$(nproc)" >>"$bld.log" 2>&1 &&
    cmake --install "$bld" >>"$bld.log" 2>&1 || { tail -n 30 "$bld.log" >&2; exit 1; }
}

if [ ! -f "$prefix/lib/libpng.a" ] && [ ! -f "$prefix/lib/libpng16.a" ]; then
  src=$(fetch_source libpng1.6 'libpng1.6-*')
  build_cmake "$src" "$deps/build-png" -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_LIBRARY="$zlib" -DZLIB_INCLUDE_DIR=/usr/i686-w64-mingw32/include
  echo "libpng built into $prefix"
fi

if [ ! -f "$prefix/lib/libjpeg.a" ]; then
  src=$(fetch_source libjpeg-turbo 'libjpeg-turbo-*')
  build_cmake "$src" "$deps/build-jpeg" -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF
  echo "libjpeg-turbo built into $prefix"
fi
