#!/usr/bin/env bash
# Runs one test program under Wine for ctest. Wine answers 0 also when a program never started (a
# 32-bit program without the 32-bit Wine, say), so a run counts only when the program's main reached
# its end and left its mark.
set -u
mark=$(mktemp)
rm -f "$mark"
export QUOXEL_TEST_SENTINEL="Z:${mark//\//\\}"
wine "$@"
status=$?
if [ "$status" -eq 0 ] && ! grep -q '^finished' "$mark" 2>/dev/null; then
  echo "wine-test-run: $1 did not run to the end of its main (Wine reported 0)" >&2
  status=1
fi
rm -f "$mark"
exit "$status"
