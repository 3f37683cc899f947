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
#                            deleted by "Fix selected", its question answered Yes; prints the fix's time
#                            from the press to its count box and the window's slowest answer to WM_NULL
#                            (asked every 20 ms) meanwhile. The same files are then made again and
#                            deleted by a one-thread loop with the fix's checks per file
#                            (cleaner_fix_floor), and the ratio fix / floor printed.
# QUOXEL_BENCH_SMALL=1 makes 300 files in 3 folders and runs one round, no warm-up: it shows the bench
# still runs and checks its result, in seconds.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../scripts/env.sh"
source "$here/../scripts/display.sh"

runs=${QUOXEL_BENCH_RUNS:-5}
bench=$build_root/bench-cleaner
files_per_folder=200 folders=100
fix=false
[ "${1:-}" != --fix ] || fix=true folders=500
first_round=0
[ -z "${QUOXEL_BENCH_SMALL:-}" ] || runs=1 files_per_folder=100 folders=3 first_round=1
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
  { "$repo_root/scripts/wine-prefix.sh" &&
    timeout 1800 "$repo_root/scripts/build.sh" --target cleaner_probe cleaner_fix_floor quoxel_data; } >"$log" 2>&1 ||
    { tail -n 30 "$log" >&2; fail "building the prefix or the cleaner programs failed (log: $log)"; }
  cp "$build_root/win/cleaner_probe.exe" "$build_root/win/cleaner_fix_floor.exe" "$bench/"
  rm -rf "$bench/Data" && cp -r "$build_root/win/Data" "$bench/Data"
  timeout 300 i686-w64-mingw32-g++-posix -std=c++17 -O2 -static -municode -s -Wall -Wextra -Werror -DUNICODE \
    -D_UNICODE -I"$repo_root" "$here/cleaner_walk.cpp" -o "$bench/cleaner_walk.exe"
}

# The profile's Local Settings belongs to the tests the rest of the time: another run's is never touched.
make_tree() {
  [ ! -e "$local_settings" ] || fail "$local_settings exists already: remove it or use another prefix"
  trap 'rm -rf "$local_settings"; stop_display' EXIT
  make_files
}

make_files() {
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

text_field() { tr -d '\r' <<<"$2" | sed -n "s/^$1 //p"; }

files_left() { find "$temp" -type f | wc -l; }

# The fix must ask about every file, say it deleted every one, and leave none.
run_fix() {
  local out count=$((folders * files_per_folder))
  out=$(timeout "$run_timeout" wine "$bench/cleaner_probe.exe" fix </dev/null) || fail "the probe ended with $? ($out)"
  [ "$(field listed "$out")" = "$count" ] || fail "the search listed other files ($out)"
  [[ $(text_field asked "$out") == "Delete $count files "* ]] || fail "the fix asked another question ($out)"
  [ "$(text_field fixed "$out")" = "$count files fixed." ] || fail "the fix's count box tells another count ($out)"
  [ "$(files_left)" -eq 0 ] || fail "the fix left $(files_left) files ($out)"
  fix_out=$out
}

# The floor deletes the same files, made again.
run_floor() {
  local out count=$((folders * files_per_folder))
  make_files
  out=$(timeout "$run_timeout" wine "$bench/cleaner_fix_floor.exe" "$temp_windows" </dev/null) ||
    fail "the floor ended with $? ($out)"
  [ "$(field deleted "$out")" = "$count" ] || fail "the floor deleted other files ($out)"
  [ "$(files_left)" -eq 0 ] || fail "the floor left $(files_left) files ($out)"
  floor_ms=$(field floor_ms "$out")
}

print_fix() {
  local fix_ms
  fix_ms=$(field fix_ms "$fix_out")
  echo "Cleaner fix of $((folders * files_per_folder)) files in $folders folders under $(wine --version)"
  echo "Its question, answered Yes: $(text_field asked "$fix_out")"
  echo "Its count box: $(text_field fixed "$fix_out")"
  c_printf '%-52s %10.1f\n' "search, list filled (ms)" "$(field search_ms "$fix_out")" \
    "Fix selected, from the press to its count box (ms)" "$fix_ms" \
    "the window's slowest answer meanwhile (ms)" "$(field worst_answer_ms "$fix_out")" \
    "one-thread loop with the same checks (ms)" "$floor_ms"
  LC_ALL=C awk -v a="$fix_ms" -v b="$floor_ms" 'BEGIN { printf "\nRatio fix / one-thread loop %.2fx\n", a / b }'
}

[[ $runs =~ ^[1-9][0-9]?$ ]] || fail "QUOXEL_BENCH_RUNS must be 1 to 99, not '$runs'"
mkdir -p "$bench"
build_bench_programs
start_display
make_tree
if $fix; then
  run_fix
  run_floor
  print_fix
  exit 0
fi
echo "Cleaner search of $((folders * files_per_folder)) files in $folders folders under $(wine --version), $runs rounds"
echo "Times in ms, measured inside each program.$([ "$first_round" -eq 1 ] || echo " Round 0 is a warm-up, not counted.")"
echo
printf '%5s %14s %14s\n' round cleaner_probe cleaner_walk
search_times=() walk_times=()
for round in $(seq "$first_round" "$runs"); do run_round "$round"; done
search=$(median "${search_times[@]}") walk=$(median "${walk_times[@]}")
echo
c_printf '%-40s %10s\n' "$runs rounds, median ms" "" "  Quoxel's search (cleaner_probe)" "$search" \
  "  bare walk, 1 thread (cleaner_walk)" "$walk"
LC_ALL=C awk -v a="$search" -v b="$walk" -v t="$target_ratio" 'BEGIN {
  printf "\nRatio search / bare walk on 1 thread %.2fx   target at most %.2fx: %s\n", a / b, t, a / b <= t ? "met" : "NOT met" }'
