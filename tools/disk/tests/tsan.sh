#!/usr/bin/env bash
# Builds the folder walk's tests under ThreadSanitizer and runs them.
#   tsan.sh REPOSITORY OUTPUT
set -euo pipefail
repo=$1 out=$2
g++ -std=c++17 -O1 -g -fsanitize=thread -Wall -Wextra -Werror -I"$repo" \
  "$repo/tools/disk/FolderWalk.cpp" "$repo/platform/WaitLock.cpp" "$repo/tools/disk/tests/FolderWalkTests.cpp" \
  "$repo/utilities/LargestFiles.cpp" "$repo/utilities/NumberFormat.cpp" \
  -lgtest -lgtest_main -pthread -o "$out"
TSAN_OPTIONS="halt_on_error=1" "$out"
