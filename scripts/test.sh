#!/usr/bin/env bash
# Runs every test: the pure logic natively under AddressSanitizer and UBSan, then the same logic, the
# window and the end-to-end run of quoxel.exe under Wine in a private Xvfb display.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/env.sh"
source "$here/display.sh"

"$here/setup.sh"

summary=$(mktemp)
trap 'rm -f "$summary"' EXIT
run_ctest() { # build dir, label
  local status=0
  ctest --test-dir "$1" --output-on-failure --no-tests=error --timeout 180 2>&1 | tee "$summary.$2" || status=$?
  return "$status"
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

# One closing line over both runs.
passed=0 failed=0
for part in native wine; do
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$summary.$part" | tail -n 1 || true)
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  [ -n "$line" ] || { total=0; bad=1; }
  passed=$((passed + total - bad))
  failed=$((failed + bad))
  rm -f "$summary.$part"
done
echo "$passed passed, $failed failed"
[ "$native_status" -eq 0 ] && [ "$wine_status" -eq 0 ] && [ "$failed" -eq 0 ]
