#!/usr/bin/env bash
# Start-up time and idle memory of quoxel.exe against three baselines under the same Wine in a private
# Xvfb display: a window with the version 6 common controls and a nine-tab page control (tab_window,
# the floor of a tabbed program of this kind, which the targets are against), a bare Win32 window, and
# the nine-tab window with a page on each tab and Quoxel's controls on them, by kind and number, without
# any logic (controls_window: what the controls alone cost). Builds them and a Windows-side probe,
# which runs each program several times and prints every run, the medians and the ratios. Then times
# the making of each tool's page when it is first shown (page_probe). A benchmark, not a test: it exits
# 0 whenever it could measure. QUOXEL_BENCH_RUNS sets the number of counted runs (11; 1 to 99);
# QUOXEL_BENCH_SMALL=1 makes it one: it shows the bench still runs, in seconds.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../scripts/env.sh"
source "$here/../scripts/display.sh"

runs=${QUOXEL_BENCH_RUNS:-11}
[ -z "${QUOXEL_BENCH_SMALL:-}" ] || runs=1
bench=$build_root/bench
cxx=i686-w64-mingw32-g++-posix
cxxflags=(-std=c++17 -O2 -static -municode -s -Wall -Wextra -Werror -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN)

fail() { echo "bench: $*" >&2; exit 1; }

# The build's own output only matters when it fails.
build_quoxel() {
  local log=$bench/build.log
  timeout 1800 "$repo_root/scripts/build.sh" --target quoxel page_probe >"$log" 2>&1 ||
    { tail -n 30 "$log" >&2; fail "building quoxel.exe or the page probe failed (log: $log)"; }
}

build_bench_programs() {
  timeout 300 "$cxx" "${cxxflags[@]}" -mwindows "$here/bare_window.cpp" -o "$bench/bare_window.exe"
  # The same manifest as quoxel.exe's (the build makes it), so that both load the same common controls.
  (cd "$repo_root" && timeout 300 i686-w64-mingw32-windres -I "$build_root/win" bench/tab_window.rc -O coff \
    -o "$bench/tab_window.res")
  timeout 300 "$cxx" "${cxxflags[@]}" -mwindows "$here/tab_window.cpp" "$bench/tab_window.res" -lcomctl32 \
    -o "$bench/tab_window.exe"
  timeout 300 "$cxx" "${cxxflags[@]}" -mwindows "$here/controls_window.cpp" "$bench/tab_window.res" -lcomctl32 \
    -o "$bench/controls_window.exe"
  timeout 300 "$cxx" "${cxxflags[@]}" "$here/launch_probe.cpp" -o "$bench/launch_probe.exe" -lpsapi
}

# quoxel.exe as users run it: in a folder of its own with the Data folder beside it.
stage_quoxel() {
  work=$(mktemp -d "$bench/quoxel.XXXXXX")
  cp "$build_root/win/quoxel.exe" "$work/"
  cp -r "$build_root/win/Data" "$work/Data"
}

windows_path() { printf 'Z:%s' "${1//\//\\}"; }

[[ $runs =~ ^[1-9][0-9]?$ ]] || fail "QUOXEL_BENCH_RUNS must be 1 to 99, not '$runs'"
command -v "$cxx" >/dev/null || fail "$cxx is missing: run scripts/setup.sh"
[ -f "$WINEPREFIX/system.reg" ] || fail "no Wine prefix in $WINEPREFIX: run scripts/setup.sh"
mkdir -p "$bench"
build_quoxel
build_bench_programs
start_display
work=
trap 'stop_display; [ -z "$work" ] || rm -rf "$work"' EXIT
stage_quoxel

echo "quoxel.exe against a nine-tab window, a bare Win32 window and the same controls without the program under $(wine --version), $runs runs each"
# Per run at most 30 s for the window, 1.5 s idle and 20 s to close or kill; plus the warm-up runs.
status=0
timeout $(((runs + 1) * 4 * 52 + 60)) wine "$bench/launch_probe.exe" "$runs" \
  "$(windows_path "$work/quoxel.exe")" "Quoxel 1.0" \
  "$(windows_path "$bench/tab_window.exe")" "Tab Window" \
  "$(windows_path "$bench/bare_window.exe")" "Bare Window" \
  "$(windows_path "$bench/controls_window.exe")" "Controls Window" </dev/null || status=$?
[ "$status" -eq 0 ] || fail "could not measure (launch_probe ended with $status)"

echo
echo "Each tool's page made when first shown (page_probe: the controls, without the page's own work), $runs runs"
timeout $(((runs + 1) * 60 + 60)) wine "$build_root/win/page_probe.exe" "$runs" "$(windows_path "$work")" </dev/null ||
  fail "could not measure the pages (page_probe ended with $?)"
