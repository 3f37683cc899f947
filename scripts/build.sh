#!/usr/bin/env bash
# Builds quoxel.exe and its Windows tests (after the set-up script has installed what they need), for
# 32-bit Windows in build/win and for 64-bit Windows in build/win64 (the presets win32 and win64 of
# CMakePresets.json), or with --win32 or --win64 for one of them. Other arguments go to the builds.
#   build.sh [--win32 | --win64] [BUILD ARGUMENTS...]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

build() { # preset, processor, build folder, libraries' prefix, build arguments...
  local preset=$1 arch=$2 folder=$build_root/$3 prefix=$build_root/deps/$4
  shift 4
  "$repo_root/scripts/build-deps.sh" "$arch"
  # A folder set up with another toolchain file (one for each processor, before) is set up afresh.
  local system
  for system in "$folder"/CMakeFiles/*/CMakeSystem.cmake; do
    if [ -f "$system" ] && ! grep -qF "include(\"$repo_root/cmake/mingw.cmake\")" "$system"; then
      rm -rf "$folder/CMakeCache.txt" "$folder/CMakeFiles"
    fi
  done
  cmake -S "$repo_root" --preset "$preset" -B "$folder" -DQUOXEL_DEPS_PREFIX="$prefix" >/dev/null
  cmake --build "$folder" -j"$(nproc)" "$@"
}

kinds=(win32 win64)
case ${1:-} in
  --win32 | --win64) kinds=("${1#--}"); shift ;;
esac
for kind in "${kinds[@]}"; do
  case $kind in
    win32) build win32 i686 win prefix "$@" ;;
    win64) build win64 x86_64 win64 prefix-x86_64 "$@" ;;
  esac
done
