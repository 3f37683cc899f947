#!/usr/bin/env bash
# Time of Quoxel's cleaner search against a bare walk of the same folder under the same Wine in a
# private Xvfb display. The folder is the temporary-files folder the cleaner searches first, given
# 20 000 empty ".tmp" files in 100 folders for the run and removed after it. Each round runs, in turn:
# Quoxel's search driven in its real window, list filled (cleaner_probe), and a single-thread walk that
# opens each file without sharing as the cleaner's rule for a file in use asks (cleaner_walk). Prints
# every round, the medians and the ratio search / walk. A benchmark, not a test: it exits 0 whenever it
# could measure.
# QUOXEL_BENCH_RUNS sets the number of counted rounds (5; 1 to 99); one more goes first, not counted.
#   bench/cleaner.sh --fix   instead: once, 100 000 files in 500 folders searched, then all of them
#                            deleted by "Fix selected"; prints the fix's time and the window's slowest
#                            answer to WM_NULL (asked every 20 ms) meanwhile.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../scripts/env.sh"
source "$here/../scripts/display.sh"

runs=${QUOXEL_BENCH_RUNS:-5}
bench=$build_root/bench-cleaner
files_per_folder=200 folders=100
fix=false
[ "${1:-}" != --fix ] || fix=true folders=500
target_ratio=0.7
run_timeout=600
user=$(id -un)
local_settings="$WINEPREFIX/drive_c/users/$user/Local Settings"  # below the profile folder Wine gives
temp="$local_settings/Temp"
temp_windows="C:\\users\\$user\\Local Settings\\Temp"

fail() { echo "bench: $*" >&2; exit 1; }
c_printf() { env LC_ALL=C printf "$@"; }

build_bench_programs() {
  local log=$bench/build.log
  { "$repo_root/scripts/wine-prefix.sh" && timeout 1800 "$repo_root/scripts/build.sh" --target cleaner_probe; } \
    >"$log" 2>&1 || { tail -n 30 "$log" >&2; fail "building the prefix or the cleaner probe failed (log: $log)"; }
  cp "$build_root/win/cleaner_probe.exe" "$bench/cleaner_probe.exe"
  rm -rf "$bench/Data" && cp -r "$build_root/win/Data" "$bench/Data"
  timeout 300 i686-w64-mingw32-g++-posix -std=c++17 -O2 -static -municode -s -Wall -Wextra -Werror -DUNICODE \
    -D_UNICODE -I"$repo_root" "$here/cleaner_walk.cpp" -o "$bench/cleaner_walk.exe"
}

# The profile's Local Settings belongs to the tests the rest of the time: another run's is never touched.
make_tree() {
  [ ! -e "$local_settings" ] || fail "$local_settings exists already: remove it or use another prefix"
  trap 'rm -rf "$local_settings"; stop_display' EXIT
  local d
  for d in $(seq "$folders"); do
    mkdir -p "$temp/d$d"
    (cd "$temp/d$d" && touch $(seq -f f%g.tmp "$files_per_folder"))
  done
}

field() { tr -d '\r' <<<"$2" | awk -v key="$1" '$1 == key { print $2; exit }'; }

run_round() { # round number; 0 is the warm-up
  local out search_ms walk_ms listed
  out=$(timeout "$run_timeout" wine "$bench/cleaner_probe.exe" </dev/null) || fail "the probe ended with $? ($out)"
  search_ms=$(field search_ms "$out") listed=$(field listed "$out")
  [ "$listed" = $((folders * files_per_folder)) ] || fail "the search listed $listed files ($out)"
  out=$(timeout "$run_timeout" wine "$bench/cleaner_walk.exe" "$temp_windows" </dev/null) ||
    fail "the walk ended with $? ($out)"
  walk_ms=$(field walk_ms "$out")
  [ "$(field opened "$out")" = "$listed" ] || fail "the walk opened other files ($out)"
  c_printf '%5d %14.1f %14.1f\n' "$1" "$search_ms" "$walk_ms"
  [ "$1" -eq 0 ] && return
  search_times+=("$search_ms")
  walk_times+=("$walk_ms")
}

median() {
  printf '%s\n' "$@" | LC_ALL=C sort -g | LC_ALL=C awk '{ v[NR] = $1 } END {
    printf "%.1f\n", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

run_fix() {
  local out
  out=$(timeout "$run_timeout" wine "$bench/cleaner_probe.exe" fix </dev/null) || fail "the probe ended with $? ($out)"
  [ "$(field listed "$out")" = $((folders * files_per_folder)) ] || fail "the search listed other files ($out)"
  echo "Cleaner fix of $((folders * files_per_folder)) files in $folders folders under $(wine --version)"
  c_printf '%-44s %10.1f\n' "search, list filled (ms)" "$(field search_ms "$out")" \
    "Fix selected, to its count box (ms)" "$(field fix_ms "$out")" \
    "the window's slowest answer meanwhile (ms)" "$(field worst_answer_ms "$out")"
  echo "Its box: $(tr -d '\r' <<<"$out" | sed -n 's/^fixed //p')"
}

[[ $runs =~ ^[1-9][0-9]?$ ]] || fail "QUOXEL_BENCH_RUNS must be 1 to 99, not '$runs'"
mkdir -p "$bench"
build_bench_programs
start_display
make_tree
if $fix; then
  run_fix
  exit 0
fi
echo "Cleaner search of $((folders * files_per_folder)) files in $folders folders under $(wine --version), $runs rounds"
echo "Times in ms, measured inside each program. Round 0 is a warm-up, not counted."
echo
printf '%5s %14s %14s\n' round cleaner_probe cleaner_walk
search_times=() walk_times=()
for round in $(seq 0 "$runs"); do run_round "$round"; done
search=$(median "${search_times[@]}") walk=$(median "${walk_times[@]}")
echo
c_printf '%-40s %10s\n' "$runs rounds, median ms" "" "  Quoxel's search (cleaner_probe)" "$search" \
  "  bare walk, 1 thread (cleaner_walk)" "$walk"
LC_ALL=C awk -v a="$search" -v b="$walk" -v t="$target_ratio" 'BEGIN {
  printf "\nRatio search / bare walk on 1 thread %.2fx   target at most %.2fx: %s\n", a / b, t, a / b <= t ? "met" : "NOT met" }'
