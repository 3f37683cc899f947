#!/usr/bin/env bash
# Time of Quoxel's largest-files search against a bare walk of the same folders under the same Wine in a
# private Xvfb display, with the host's find for reference. The tree (about 100 000 sparse files in
# 10 000 folders, a few of them hidden) is made once in the build tree and given to the prefix as drive
# T:. Each round runs, in turn: Quoxel's search of T: for its 20 largest files, driven in its real window
# (search_probe), the bare walk on one thread and on two (bare_walk), and find | sort | tail on the host.
# Prints every round, the medians and the ratio search / single-thread walk. The search's result lines
# are checked in every round against those of a plain single-thread walk of the tree offering the files
# in the search's order to the program's own table (made once, untimed). A benchmark, not a test: it
# exits 0 whenever it could measure and the search listed the right files.
# QUOXEL_BENCH_RUNS sets the number of counted rounds (5; 1 to 99); one more goes first, not counted.
# QUOXEL_BENCH_SMALL=1 searches a tree of 400 files in 60 folders (kept apart) in one round, no warm-up:
# it shows the bench still runs and checks its result, in seconds.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../scripts/env.sh"
source "$here/../scripts/display.sh"

runs=${QUOXEL_BENCH_RUNS:-5}
bench=$build_root/bench
tree=$bench/tree
tree_size=()
first_round=0
[ -z "${QUOXEL_BENCH_SMALL:-}" ] || runs=1 tree=$bench/tree-small tree_size=(400 60) first_round=1
letter=T
drive_link=$WINEPREFIX/dosdevices/t:
target_ratio=0.65
run_timeout=600  # seconds for one program's run; a search of the tree takes a few
cxx=i686-w64-mingw32-g++-posix
defines=(-DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0601 -DWINVER=0x0601
         -D_WIN32_IE=0x0600)
cxxflags=(-std=c++17 -O2 -static -municode -s -Wall -Wextra -Werror "${defines[@]}" -I"$repo_root")

fail() { echo "bench: $*" >&2; exit 1; }

# The programs print decimal points whatever the user's locale.
c_printf() { env LC_ALL=C printf "$@"; }

# The probe is built by the project's build with the program's own library, resources and system
# libraries, so the search timed is the program's. The build's output only matters when it fails.
build_bench_programs() {
  local log=$bench/build.log
  { "$repo_root/scripts/wine-prefix.sh" && timeout 1800 "$repo_root/scripts/build.sh" --target search_probe quoxel_data; } \
    >"$log" 2>&1 || { tail -n 30 "$log" >&2; fail "building the prefix or the search probe failed (log: $log)"; }
  cp "$build_root/win/search_probe.exe" "$bench/search_probe.exe"
  # The program's Data folder beside it, as users have it: its end saves the wallpaper list there.
  rm -rf "$bench/Data" && cp -r "$build_root/win/Data" "$bench/Data"
  timeout 300 "$cxx" "${cxxflags[@]}" "$here/bare_walk.cpp" "$repo_root/utilities/LargestFiles.cpp" \
    "$repo_root/utilities/NumberFormat.cpp" -o "$bench/bare_walk.exe"
}

# Made again only when the generator changes. The stamp holds the generator's hash and the counts.
make_tree() {
  local stamp=$tree.stamp version
  version=$(sha256sum "$here/make_tree.py" | cut -d' ' -f1)
  if [ -d "$tree" ] && [ -f "$stamp" ] && [ "$(head -n 1 "$stamp")" = "$version" ]; then return; fi
  rm -rf "$tree" "$stamp"
  echo "Making the tree in $tree (once)..."
  local counts
  counts=$(timeout 900 python3 "$here/make_tree.py" "$tree" "${tree_size[@]}") || fail "making the tree failed"
  printf '%s\n%s\n' "$version" "$counts" >"$stamp"
}

# A folder drive of the prefix; Wine takes a drive without a type of its own as fixed. Another T: of the
# prefix is left alone.
map_drive() {
  if [ -L "$drive_link" ] && [ "$(readlink "$drive_link")" != "$tree" ]; then
    fail "the prefix's drive $letter: is taken ($drive_link -> $(readlink "$drive_link"))"
  fi
  ln -sfn "$tree" "$drive_link"
}

unmap_drive() { [ "$(readlink "$drive_link" 2>/dev/null)" != "$tree" ] || rm -f "$drive_link"; }

# A program's figure: the value on its line "<key> <value>"; output has Windows line ends.
field() { tr -d '\r' <<<"$2" | awk -v key="$1" '$1 == key { print $2; exit }'; }

run_search() {
  search_out=$(timeout "$run_timeout" wine "$bench/search_probe.exe" "$letter" </dev/null) ||
    fail "the search probe ended with $? (output: $search_out)"
  search_ms=$(field search_ms "$search_out")
  [ -n "$search_ms" ] || fail "the search probe printed no time (output: $search_out)"
}

run_walk() {
  walk_out=$(timeout "$run_timeout" wine "$bench/bare_walk.exe" "$letter:\\" </dev/null) ||
    fail "the bare walk ended with $? (output: $walk_out)"
  walk_ms=$(field walk_ms "$walk_out")
  [ -n "$walk_ms" ] || fail "the bare walk printed no time (output: $walk_out)"
}

run_walk2() {
  walk2_out=$(timeout "$run_timeout" wine "$bench/bare_walk.exe" "$letter:\\" 2 </dev/null) ||
    fail "the two-thread bare walk ended with $? (output: $walk2_out)"
  walk2_ms=$(field walk_ms "$walk2_out")
  [ -n "$walk2_ms" ] || fail "the two-thread bare walk printed no time (output: $walk2_out)"
}

result_lines() { tr -d '\r' <<<"$1" | sed -n 's/^result //p'; }

# The lines the search must list, from the single-thread walk in the search's order.
make_expected_lines() {
  local out
  out=$(timeout "$run_timeout" wine "$bench/bare_walk.exe" "$letter:\\" --results 20 </dev/null) ||
    fail "the reference walk ended with $? (output: $out)"
  expected_lines=$(result_lines "$out")
  [ "$(wc -l <<<"$expected_lines")" -eq 20 ] || fail "the reference walk listed no 20 lines (output: $out)"
}

# Counts the rounds whose search listed other lines than the reference walk, showing the first such.
check_lines() {
  [ "$(result_lines "$search_out")" = "$expected_lines" ] && return
  ((++differing_rounds))
  [ "$differing_rounds" -gt 1 ] && return
  echo "Round $1: the search's lines differ from the single-thread walk's:"
  diff <(echo "$expected_lines") <(result_lines "$search_out") | sed 's/^/  /' || true
}

# Hidden folders are pruned as the search skips them, so that find lists the same files.
run_find() {
  local start end
  start=$(date +%s%N)
  find_top=$(timeout "$run_timeout" find "$tree" -mindepth 1 -type d -name '.*' -prune -o -type f -printf '%s %p\n' |
    LC_ALL=C sort -n | tail -n 20)
  end=$(date +%s%N)
  find_ms=$(LC_ALL=C awk -v ns=$((end - start)) 'BEGIN { printf "%.3f", ns / 1e6 }')
}

run_round() { # round number; 0 is the warm-up
  run_search
  check_lines "$1"
  run_walk
  run_walk2
  run_find
  c_printf '%5d %14.1f %14.1f %14.1f %14.1f\n' "$1" "$search_ms" "$walk_ms" "$walk2_ms" "$find_ms"
  [ "$1" -eq 0 ] && return
  search_times+=("$search_ms")
  walk_times+=("$walk_ms")
  walk2_times+=("$walk2_ms")
  find_times+=("$find_ms")
}

# The median and the fastest of a list of times, as "median fastest".
median_and_fastest() {
  printf '%s\n' "$@" | LC_ALL=C sort -g | LC_ALL=C awk '{ v[NR] = $1 } END {
    printf "%.1f %.1f\n", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2, v[1] }'
}

# The search must list 20 files, the first being the one find puts last, and the walk must meet every
# file outside hidden folders.
check_results() {
  local first expected
  first=$(tr -d '\r' <<<"$search_out" | sed -n 's/^first //p')
  expected=$(tail -n 1 <<<"$find_top" | cut -d' ' -f2-)
  expected="$letter:${expected#"$tree"}"
  expected=${expected//\//\\}
  echo
  echo "Results listed by the search: $(field results "$search_out") (20 asked for); the first:"
  echo "  $first"
  [ "${first%%$'\t'*}" = "$expected" ] && echo "  the largest file find lists too" ||
    { echo "  NOT the largest file find lists: $expected"; results_right=false; }
  echo "Files met by the bare walk: $(field files "$walk_out") of the $searched outside hidden folders;" \
    "by the two-thread walk: $(field files "$walk2_out")"
  [ "$differing_rounds" -eq 0 ] &&
    echo "Result lines: the same 20 as the single-thread walk's in every round" ||
    { results_right=false
      echo "Result lines: DIFFERENT from the single-thread walk's in $differing_rounds of" \
        "$((runs + 1 - first_round)) rounds"; }
}

# The ratio is of the medians; the fastest runs show the floor when other work shares the machine.
print_summary() {
  local search search_best walk walk_best walk2 walk2_best find find_best
  read -r search search_best < <(median_and_fastest "${search_times[@]}")
  read -r walk walk_best < <(median_and_fastest "${walk_times[@]}")
  read -r walk2 walk2_best < <(median_and_fastest "${walk2_times[@]}")
  read -r find find_best < <(median_and_fastest "${find_times[@]}")
  echo
  c_printf '%-34s %10s %10s\n' "$runs rounds, ms" median fastest
  c_printf '  %-32s %10s %10s\n' "Quoxel's search (search_probe)" "$search" "$search_best" \
    "bare walk, 1 thread (bare_walk)" "$walk" "$walk_best" "bare walk, 2 threads (bare_walk)" "$walk2" \
    "$walk2_best" "host find | sort | tail" "$find" "$find_best"
  LC_ALL=C awk -v a="$search" -v b="$walk" -v c="$walk2" -v fa="$search_best" -v fb="$walk_best" \
    -v t="$target_ratio" -v same="$differing_rounds" 'BEGIN {
    r = a / b
    printf "\nRatio search / bare walk on 1 thread %.2fx (fastest runs %.2fx)   target at most %.2fx with the same lines: %s\n",
      r, fa / fb, t, r <= t && same == 0 ? "met" : "NOT met"
    printf "Ratio bare walk on 2 threads / on 1 thread %.2fx; search / bare walk on 2 threads %.2fx\n", c / b, a / c }'
}

[[ $runs =~ ^[1-9][0-9]?$ ]] || fail "QUOXEL_BENCH_RUNS must be 1 to 99, not '$runs'"
command -v "$cxx" >/dev/null || fail "$cxx is missing: run scripts/setup.sh"
command -v python3 >/dev/null || fail "python3 is missing: run scripts/setup.sh"
mkdir -p "$bench"
build_bench_programs
make_tree
trap unmap_drive EXIT
map_drive
start_display
trap 'stop_display; unmap_drive' EXIT

read -r files folders searched < <(sed -n 2p "$tree.stamp")
echo "Search of drive $letter: ($files files in $folders folders, $searched outside hidden folders) under" \
  "$(wine --version), $runs rounds"
echo "Times in ms, measured inside each program (find: the whole pipeline).$([ "$first_round" -eq 1 ] ||
  echo " Round 0 is a warm-up, not counted.")"
echo
make_expected_lines
printf '%5s %14s %14s %14s %14s\n' round search_probe bare_walk bare_walk_x2 find
search_times=() walk_times=() walk2_times=() find_times=() differing_rounds=0
for round in $(seq "$first_round" "$runs"); do run_round "$round"; done
results_right=true
check_results
print_summary
$results_right || fail "the search listed other files than the walk and find"
