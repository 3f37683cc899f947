#!/usr/bin/env bash
# Builds quoxel.exe and its Windows tests (after the set-up script has installed what they need).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

"$repo_root/scripts/build-deps.sh"
cmake -S "$repo_root" -B "$build_root/win" -DCMAKE_TOOLCHAIN_FILE="$repo_root/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DQUOXEL_DEPS_PREFIX="$build_root/deps/prefix" >/dev/null
cmake --build "$build_root/win" -j"$(nproc)" "$@"
