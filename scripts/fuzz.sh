#!/usr/bin/env bash
# Coverage-guided fuzzing (libFuzzer, clang, AddressSanitizer and UBSan) of the list-file reader and
# the catalogue loader. Runs each target for SECONDS (default 20) from the corpus kept in
# tests/fuzz/corpus/<target> and prints its executions, coverage and crashes; fails on a crash.
# With --keep, the inputs that reached new code are merged into the kept corpus.
#   scripts/fuzz.sh [SECONDS] [--keep]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/env.sh"
seconds=${1:-20}
keep=${2:-}
out=$build_root/fuzz
mkdir -p "$out"

build() { # target, sources...
  local target=$1
  shift
  clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I"$repo_root" \
    "$@" -o "$out/$target"
}
build list_reader "$repo_root/tests/fuzz/ListReaderFuzz.cpp" "$repo_root/utilities/TextListFile.cpp" \
  "$repo_root/utilities/TextEncoding.cpp"
build catalogue "$repo_root/tests/fuzz/CatalogueFuzz.cpp" "$repo_root/tools/catalogue/Catalogue.cpp" \
  "$repo_root/utilities/TextListFile.cpp" "$repo_root/utilities/TextEncoding.cpp"

crashes=0
for target in list_reader catalogue; do
  kept=$repo_root/tests/fuzz/corpus/$target
  work=$out/corpus-$target
  rm -rf "$work" && mkdir -p "$work" "$kept"
  log=$out/$target.log
  status=0
  (cd "$out" && "./$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$out/$target-" \
    "$work" "$kept" >"$log" 2>&1) || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
  features=$(grep -o 'ft: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
  found=$([ "$status" -eq 0 ] && echo 0 || echo 1)
  crashes=$((crashes + found))
  echo "$target: ${runs:-0} executions, coverage ${cov:-0} edges, ${features:-0} features, crashes $found"
  [ "$found" -eq 0 ] || tail -n 30 "$log"
  if [ "$keep" = "--keep" ]; then
    "$out/$target" -merge=1 "$kept" "$work" >/dev/null 2>&1
  fi
done
[ "$crashes" -eq 0 ]
