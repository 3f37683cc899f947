#!/usr/bin/env bash
# Runs every test: the pure logic natively under AddressSanitizer and UBSan (with the TSan programs and a
# short fuzzing run), then the same logic, the window and the end-to-end run of the 32-bit quoxel.exe
# under Wine in a private Xvfb display, and what differs in the 64-bit one: the logic that hangs on the
# pointer width, the package run and the tour. The window cases run alone: the 64-bit build starts only
# after them, beside the 32-bit end-to-end runs. With --quick, after a first full run: no set-up, builds
# what changed in the host and 32-bit builds only, and runs the native logic and the 32-bit logic and
# window tests; --filter then narrows every one of them to the cases a gtest filter names
# ('AlarmPage.*', 'SettingsFile.*:Tray.*', 'CleanerPage.*-*Fix*'). The full run ends with every
# benchmark run once in a small size, so that one that no longer runs or checks its result fails the
# run. Each step's time is shown at the end, before the line `N passed, N failed`.
#   scripts/test.sh [--quick [--filter PATTERN]]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/env.sh"
source "$here/display.sh"
quick= filter=
while [ $# -gt 0 ]; do
  case $1 in
    --quick) quick=1 ;;
    --filter) [ $# -ge 2 ] || { echo "test.sh: --filter needs a pattern" >&2; exit 2; }; filter=$2; shift ;;
    *) echo "test.sh: unknown argument $1 (--quick [--filter PATTERN], or nothing)" >&2; exit 2 ;;
  esac
  shift
done
[ -z "$filter" ] || [ -n "$quick" ] || { echo "test.sh: --filter goes with --quick" >&2; exit 2; }

results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT
# The wall time and the processor time (of the processes this script waited for: the wineserver's is
# not in it) of each step.
read_cpu() { # sets cpu to the processor seconds of the finished children
  times >"$results/times"
  cpu=$(awk 'NR == 2 { split($1, u, /[ms]/); split($2, s, /[ms]/); print u[1] * 60 + u[2] + s[1] * 60 + s[2] }' \
    "$results/times")
}
read_cpu
step_wall=$SECONDS step_cpu=$cpu step_report=
step_done() { # name of the step that just ended
  read_cpu
  step_report+=$(printf '\n  %-14s %4d s wall %5.0f s CPU' "$1" $((SECONDS - step_wall)) "$(awk "BEGIN { print $cpu - $step_cpu }")")
  step_wall=$SECONDS step_cpu=$cpu
}

suites=()  # pairs: ctest's JUnit file, the folder of the gtest results of the programs run whole
run_ctest() { # build dir, label, ctest arguments...: the results go to a JUnit file as well
  suites+=("$results/$2.xml" "$1/gtest-results")
  ctest --test-dir "$1" --output-on-failure --no-tests=error --timeout 180 --output-junit "$results/$2.xml" "${@:3}"
}
native_selection=(${quick:+-L logic})
if [ -n "$filter" ]; then
  # The programs run whole under Wine take the filter from gtest's environment variable; the native
  # cases are one ctest test each, chosen by the same filter turned into ctest's expressions.
  export GTEST_FILTER=$filter
  read -r included excluded < <(python3 - "$filter" <<'PY'
import re, sys
def expression(patterns):
    parts = [re.escape(p).replace(r"\*", ".*").replace(r"\?", ".") for p in patterns.split(":") if p]
    return "^native\\.(" + "|".join(parts) + ")$" if parts else "^$"
positive, _, negative = sys.argv[1].partition("-")
print(expression(positive or "*"), expression(negative))
PY
)
  native_selection+=(-R "$included" -E "$excluded" --no-tests=ignore)
fi

if [ -n "$quick" ]; then
  "$here/wine-prefix.sh"
else
  "$here/setup.sh"
fi
step_done set-up

echo "== Native build and tests (AddressSanitizer, UBSan; ThreadSanitizer; libFuzzer)"
cmake -S "$repo_root" --preset native -B "$build_root/native" >/dev/null
cmake --build "$build_root/native" -j"$(nproc)"
step_done "native build"
native_status=0
rm -rf "$build_root/native/gtest-results"
run_ctest "$build_root/native" native "${native_selection[@]}" || native_status=$?
step_done "native tests"

echo "== Windows builds and tests under Wine"
"$here/build.sh" --win32
step_done "32-bit build"
"$here/test-drives.sh"
start_display
trap 'stop_display; [ -z "${win64_build:-}" ] || kill "$win64_build" 2>/dev/null; rm -rf "$results"' EXIT
wine_status=0 bench_status=0
rm -rf "$build_root/win/gtest-results"
if [ -n "$quick" ]; then
  run_ctest "$build_root/win" wine -L 'logic|window' || wine_status=$?
  step_done "32-bit tests"
else
  # Some window cases time the window's answers: nothing builds beside them.
  run_ctest "$build_root/win" wine-window -L window || wine_status=$?
  step_done "32-bit window"
  # The 64-bit build goes on beside the rest, which mostly waits for Wine and the desktop.
  echo "== 64-bit build in the background: $build_root/win64-build.log"
  (TIMEFORMAT='%R %U %S' && time nice -n 5 "$here/build.sh" --win64 >"$build_root/win64-build.log" 2>&1) \
    2>"$results/win64-build-time" &
  win64_build=$!
  run_ctest "$build_root/win" wine -LE window || wine_status=$?
  step_done "32-bit others"
fi
if [ -z "$quick" ]; then
  wait "$win64_build" || { tail -n 30 "$build_root/win64-build.log" >&2; wine_status=1; }
  win64_build=
  step_done "64-bit build"
  read -r wall user sys <"$results/win64-build-time" || true
  step_report+=$(printf '\n  (64-bit build beside the other 32-bit tests: %.0f s wall %.0f s CPU, counted in their CPU)' \
    "${wall:-0}" "$(awk "BEGIN { print ${user:-0} + ${sys:-0} }")")
  echo "== 64-bit Windows: the logic that hangs on the pointer width, package run and tour under Wine"
  # Two at once: the Wine tests take the desktop in turn (RESOURCE_LOCK), while the reproducible
  # package builds beside them.
  rm -rf "$build_root/win64/gtest-results"
  run_ctest "$build_root/win64" wine64 -j2 || wine_status=$?
  step_done "64-bit tests"
  # Each bench starts a desktop and a Wine server of its own in the same prefix.
  stop_display
  echo "== Benchmarks, once each in a small size (figures not judged)"
  "$repo_root/bench/small.sh" || bench_status=$?
  step_done benches
fi

# One closing line over every run. A test program run whole counts as its cases, from gtest's own
# results; a run that wrote no results counts as one failure.
read -r passed failed < <(python3 - "${suites[@]}" <<'PY'
import os, sys, xml.etree.ElementTree as ET
passed = failed = 0
def fail(name):
    global failed
    failed += 1
    print("failed: " + name, file=sys.stderr)
for junit, gtest_results in zip(sys.argv[1::2], sys.argv[2::2]):
    try:
        suite = ET.parse(junit).getroot()
    except (OSError, ET.ParseError):
        fail(junit)
        continue
    for test in suite.iter("testcase"):  # status: run, fail, notrun (not built, or a setup failed), disabled
        name, status = test.get("name"), test.get("status")
        cases = os.path.join(gtest_results, name + ".xml")
        if status in ("run", "fail") and os.path.exists(cases):
            broke = False
            for case in ET.parse(cases).getroot().iter("testcase"):
                if case.get("status", "run") != "run" or case.get("result", "completed") != "completed":
                    continue
                if case.find("failure") is None:
                    passed += 1
                else:
                    broke = True
                    fail("%s: %s.%s" % (name, case.get("classname"), case.get("name")))
            if status == "fail" and not broke:
                fail(name)  # the program failed beside its cases: it crashed, or did not reach its end
        elif status == "run":
            passed += 1
        elif status in ("fail", "notrun"):
            fail(name)
print(passed, failed)
PY
)
echo "== Times${step_report}"
echo "$passed passed, $failed failed"
[ "$bench_status" -eq 0 ] || echo "failed: a benchmark (logs in $build_root/bench-small)" >&2
[ "$native_status" -eq 0 ] && [ "$wine_status" -eq 0 ] && [ "$failed" -eq 0 ] && [ "$bench_status" -eq 0 ]
