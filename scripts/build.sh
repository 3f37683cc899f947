#!/usr/bin/env bash
# Builds quoxel.exe and its Windows tests (after the set-up script has installed what they need), for
# 32-bit Windows in build/win and for 64-bit Windows in build/win64. Arguments go to both builds.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

build() { # processor, build folder, libraries' prefix, build arguments...
  local arch=$1 folder=$build_root/$2 prefix=$build_root/deps/$3
  shift 3
  "$repo_root/scripts/build-deps.sh" "$arch"
  # A folder set up with another toolchain file (one for each processor, before) is set up afresh.
  local system
  for system in "$folder"/CMakeFiles/*/CMakeSystem.cmake; do
    if [ -f "$system" ] && ! grep -qF "include(\"$repo_root/cmake/mingw.cmake\")" "$system"; then
      rm -rf "$folder/CMakeCache.txt" "$folder/CMakeFiles"
    fi
  done
  cmake -S "$repo_root" -B "$folder" -DCMAKE_TOOLCHAIN_FILE="$repo_root/cmake/mingw.cmake" \
    -DQUOXEL_PROCESSOR="$arch" -DCMAKE_BUILD_TYPE=Release -DQUOXEL_DEPS_PREFIX="$prefix" >/dev/null
  cmake --build "$folder" -j"$(nproc)" "$@"
}

build i686 win prefix "$@"
build x86_64 win64 prefix-x86_64 "$@"
