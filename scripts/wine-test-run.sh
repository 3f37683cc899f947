#!/usr/bin/env bash
# Runs one test program under Wine for ctest, in the build's Wine prefix (scripts/env.sh), which it makes
# if it is not there. Wine answers 0 also when a program never started (a 32-bit program without the
# 32-bit Wine, say), so a run counts only when the program's main reached its end and left its mark.
# With --xml, gtest writes each case's result to FILE (an older FILE is removed first), and the failed
# cases are listed from it at the end: the program's own output can stop early (after a test has started
# a host program, Wine may drop it).
#   wine-test-run.sh [--xml FILE] PROGRAM [ARGUMENTS...]
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/env.sh"
"$here/wine-prefix.sh" >/dev/null || exit 1
xml=() xml_file=
if [ "${1:-}" = --xml ]; then
  xml_file=$2
  mkdir -p "$(dirname "$xml_file")" && rm -f "$xml_file"
  xml=("--gtest_output=xml:Z:${xml_file//\//\\}")
  shift 2
fi
mark=$(mktemp)
rm -f "$mark"
export QUOXEL_TEST_SENTINEL="Z:${mark//\//\\}"
wine "$1" "${xml[@]}" "${@:2}"
status=$?
if [ "$status" -eq 0 ] && ! grep -q '^finished' "$mark" 2>/dev/null; then
  echo "wine-test-run: $1 did not run to the end of its main (Wine reported 0)" >&2
  status=1
fi
rm -f "$mark"
if [ -f "$xml_file" ]; then
  python3 - "$xml_file" <<'PY'
import sys, xml.etree.ElementTree as ET
cases = list(ET.parse(sys.argv[1]).getroot().iter("testcase"))
failed = [(case, failure) for case in cases for failure in case.iter("failure")]
for case, failure in failed:
    print("FAILED %s.%s: %s" % (case.get("classname"), case.get("name"), failure.get("message")))
print("wine-test-run: %d cases, %d failed" % (len(cases), len({id(case) for case, _ in failed})))
PY
fi
exit "$status"
