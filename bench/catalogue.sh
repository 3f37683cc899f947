#!/usr/bin/env bash
# Time of Quoxel's software-catalogue load against a bare fill of the same tree, under the same Wine in a
# private Xvfb display. A catalogue of 50 000 lines indented up to 6 tabs deep (UTF-8 after a byte-order
# mark, some captions outside ASCII) is made with a fixed seed in a scratch folder of the build tree, as
# <folder>\Data\soft.txt. Each round runs, each in a process of its own: Quoxel's LoadSoftwareList in its
# real window, then the "Software List" page brought forward, made and filled as the user first reaches
# it (catalogue_probe load: read, decode, parse, fill),
# the bare fill (catalogue_probe bare: TVM_INSERTITEMW into the same kind of tree view, the file parsed
# before the clock starts), and the load's steps before the tree (catalogue_probe phases). Prints every
# round, the medians, the ratio load / bare fill and where the load's time goes. A benchmark, not a
# test: it exits 0 whenever it could measure, and 1 when a tree does not hold every line. QUOXEL_BENCH_RUNS sets the number of counted rounds (7;
# 1 to 99); one more goes first, not counted. QUOXEL_BENCH_SMALL=1 runs one round of 300 lines, no
# warm-up: it shows the bench still runs and checks its result, in seconds.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../scripts/env.sh"
source "$here/../scripts/display.sh"

runs=${QUOXEL_BENCH_RUNS:-7}
lines=50000
first_round=0
[ -z "${QUOXEL_BENCH_SMALL:-}" ] || runs=1 lines=300 first_round=1
max_depth=6
bench=$build_root/bench
target_ratio=1.2
run_timeout=120  # seconds for one probe run; a load takes well under one

fail() { echo "bench: $*" >&2; exit 1; }

# The probe is built by the project's build with the program's own library and resources (the
# manifest of version 6 common controls among them), so the load timed is the program's and both trees
# are the same control. The build's output only matters when it fails.
build_probe() {
  local log=$bench/build.log
  { "$repo_root/scripts/wine-prefix.sh" && timeout 1800 "$repo_root/scripts/build.sh" --target catalogue_probe; } \
    >"$log" 2>&1 || { tail -n 30 "$log" >&2; fail "building the prefix or the catalogue probe failed (log: $log)"; }
  cp "$build_root/win/catalogue_probe.exe" "$bench/catalogue_probe.exe"
}

# Made afresh on each run: it takes a second, and the scratch folder goes on exit.
make_catalogue() {
  mkdir -p "$work/Data"
  catalogue_stats=$(timeout 120 python3 "$here/make_catalogue.py" "$work/Data/soft.txt" "$lines" "$max_depth") ||
    fail "making the catalogue failed"
}

windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# A program's figure: the value on its line "<key> <value>"; output has Windows line ends.
field() { tr -d '\r' <<<"$2" | awk -v key="$1" '$1 == key { print $2; exit }'; }

# Runs the probe in one mode; its output goes to probe_out.
run_probe() {
  probe_out=$(timeout "$run_timeout" wine "$bench/catalogue_probe.exe" "$1" "$(windows_path "$work")" </dev/null) ||
    fail "catalogue_probe $1 ended with $? (output: $probe_out)"
}

# A tree that does not hold every line was not a load of this catalogue.
check_items() { # mode, count
  [ "$2" = "$lines" ] || fail "catalogue_probe $1 left $2 items in the tree, not $lines (output: $probe_out)"
}

run_load() {
  run_probe load
  load_ms=$(field load_ms "$probe_out")
  load_paint_ms=$(field paint_ms "$probe_out")
  [ -n "$load_ms" ] || fail "the load printed no time (output: $probe_out)"
  check_items load "$(field items "$probe_out")"
}

run_bare() {
  run_probe bare
  bare_ms=$(field insert_ms "$probe_out")
  bare_paint_ms=$(field paint_ms "$probe_out")
  [ -n "$bare_ms" ] || fail "the bare fill printed no time (output: $probe_out)"
  check_items bare "$(field items "$probe_out")"
}

run_phases() {
  run_probe phases
  file_ms=$(field read_decode_split_ms "$probe_out")
  split_ms=$(field decode_split_ms "$probe_out")
  decode_ms=$(field decode_ms "$probe_out")
  parse_ms=$(field parse_ms "$probe_out")
  [ -n "$parse_ms" ] || fail "the steps printed no times (output: $probe_out)"
  check_items phases "$(field lines "$probe_out")"
}

run_round() { # round number; 0 is the warm-up
  run_load
  run_bare
  run_phases
  printf '%5d %10.1f %10.1f %12.1f %12.1f\n' "$1" "$load_ms" "$bare_ms" "$load_paint_ms" "$bare_paint_ms"
  [ "$1" -eq 0 ] && return
  ratios+=("$(awk -v a="$load_ms" -v b="$bare_ms" 'BEGIN { print a / b }')")
  load_times+=("$load_ms")
  bare_times+=("$bare_ms")
  load_paints+=("$load_paint_ms")
  bare_paints+=("$bare_paint_ms")
  file_times+=("$file_ms")
  split_times+=("$split_ms")
  decode_times+=("$decode_ms")
  parse_times+=("$parse_ms")
}

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { printf "%.3f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

print_summary() {
  local load bare
  load=$(median "${load_times[@]}")
  bare=$(median "${bare_times[@]}")
  echo
  echo "Medians of $runs rounds"
  printf '  %-40s %10.1f ms\n' "Quoxel's load, its page first shown" "$load" "bare fill (TVM_INSERTITEMW loop)" "$bare" \
    "first paint after the load" "$(median "${load_paints[@]}")" \
    "first paint after the bare fill" "$(median "${bare_paints[@]}")"
  awk -v a="$load" -v b="$bare" -v t="$target_ratio" 'BEGIN {
    r = a / b
    printf "\nRatio load / bare fill %.2fx   target at most %.2fx: %s\n", r, t, r <= t ? "met" : "NOT met" }'
  # Both runs of a round meet the same load of the machine, so their own ratio is steadier on a busy one.
  printf "Median of the rounds' own ratios %.2fx\n" "$(median "${ratios[@]}")"
}

# The steps are timed in a process of their own, so their sum only approximates the load's share.
print_steps() {
  local load file split decode parse
  load=$(median "${load_times[@]}")
  file=$(median "${file_times[@]}")
  split=$(median "${split_times[@]}")
  decode=$(median "${decode_times[@]}")
  parse=$(median "${parse_times[@]}")
  echo
  echo "Where the load's time goes (medians; each step timed apart with the real functions)"
  awk -v load="$load" -v file="$file" -v lines="$split" -v decode="$decode" -v parse="$parse" 'BEGIN {
    line("read the file (ReadTextListFile less DecodeTextList)", file - lines)
    line("decode UTF-8 to UTF-16 (Utf8ToUtf16)", decode)
    line("split into lines (DecodeTextList less Utf8ToUtf16)", lines - decode)
    line("parse (ParseCatalogue)", parse)
    line("make the page, fill the tree (load less the above)", load - file - parse) }
    function line(what, ms) { printf "  %-52s %8.1f ms %5.1f%%\n", what, ms, 100 * ms / load }'
}

[[ $runs =~ ^[1-9][0-9]?$ ]] || fail "QUOXEL_BENCH_RUNS must be 1 to 99, not '$runs'"
command -v python3 >/dev/null || fail "python3 is missing: run scripts/setup.sh"
mkdir -p "$bench"
build_probe
work=$(mktemp -d "$bench/catalogue.XXXXXX")
trap 'rm -rf "$work"' EXIT
make_catalogue
start_display
trap 'stop_display; rm -rf "$work"' EXIT

echo "Software catalogue load under $(wine --version), $runs rounds"
echo "Catalogue: $catalogue_stats (UTF-8 after a byte-order mark, CR LF)"
echo "Times in ms, measured inside each program.$([ "$first_round" -eq 1 ] || echo " Round 0 is a warm-up, not counted.")"
echo
printf '%5s %10s %10s %12s %12s\n' round load bare_fill load_paint bare_paint
ratios=() load_times=() bare_times=() load_paints=() bare_paints=()
file_times=() split_times=() decode_times=() parse_times=()
for round in $(seq "$first_round" "$runs"); do run_round "$round"; done
print_summary
print_steps
