#!/usr/bin/env bash
# Runs every test: the pure logic natively under AddressSanitizer and UBSan, then the same logic, the
# window and the end-to-end run of the 32-bit quoxel.exe under Wine in a private Xvfb display, and the
# logic, the package run and the tour of the 64-bit one.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/env.sh"
source "$here/display.sh"

"$here/setup.sh"

results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT
run_ctest() { # build dir, label, ctest arguments...: the results go to a JUnit file as well
  ctest --test-dir "$1" --output-on-failure --no-tests=error --timeout 180 --output-junit "$results/$2.xml" "${@:3}"
}

echo "== Native tests (AddressSanitizer, UBSan)"
cmake -S "$repo_root" -B "$build_root/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build_root/native" -j"$(nproc)"
native_status=0
run_ctest "$build_root/native" native || native_status=$?

echo "== Windows build and tests under Wine"
"$here/build.sh"
"$here/test-drives.sh"
start_display
wine_status=0
run_ctest "$build_root/win" wine || wine_status=$?
echo "== 64-bit Windows: logic tests, package run and tour under Wine"
run_ctest "$build_root/win64" wine64 -L 'logic|package' || wine_status=$?

# One closing line over both runs, from ctest's JUnit files (a run that wrote none counts as failed).
read -r passed failed < <(python3 - "$results"/native.xml "$results"/wine.xml "$results"/wine64.xml <<'PY'
import sys, xml.etree.ElementTree as ET
passed = failed = 0
for path in sys.argv[1:]:
    try:
        suite = ET.parse(path).getroot()
    except (OSError, ET.ParseError):
        failed += 1
        continue
    for case in suite.iter("testcase"):  # status: run, fail, notrun (not built, or a setup failed), disabled
        status = case.get("status")
        passed += status == "run"
        failed += status in ("fail", "notrun")
print(passed, failed)
PY
)
echo "$passed passed, $failed failed"
[ "$native_status" -eq 0 ] && [ "$wine_status" -eq 0 ] && [ "$failed" -eq 0 ]
