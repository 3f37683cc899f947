#!/usr/bin/env bash
# Coverage-guided fuzzing (libFuzzer, clang, AddressSanitizer and UBSan) of the list-file reader, the
# catalogue loader, the JPEG- and PNG-to-bitmap conversions (with the host's libjpeg-turbo and libpng) and
# the Exif date reader.
# Runs each target for SECONDS (default 20) from the corpus kept in tests/fuzz/corpus/<target> and prints
# its executions, coverage and crashes; fails on a crash. With --keep, the inputs that reached new code are
# merged into the kept corpus; with --only, just the target named runs. The targets are built by the host
# build (tests/fuzz/CMakeLists.txt); with --built FOLDER, those already built there run, and nothing is built.
#   scripts/fuzz.sh [SECONDS] [--keep] [--only list_reader|catalogue|jpeg|png|exif] [--built FOLDER]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/env.sh"
seconds=20
keep=
targets=(list_reader catalogue jpeg png exif)
out=
while [ $# -gt 0 ]; do
  case $1 in
    --keep) keep=1 ;;
    --only) targets=("$2"); shift ;;
    --built) out=$2; shift ;;
    *) seconds=$1 ;;
  esac
  shift
done
if [ -z "$out" ]; then
  out=$build_root/native/fuzz
  cmake -S "$repo_root" --preset native -B "$build_root/native" >/dev/null
  cmake --build "$build_root/native" -j"$(nproc)" --target quoxel_fuzzers >/dev/null
fi

crashes=0
for target in "${targets[@]}"; do
  [ -x "$out/$target" ] || { echo "no fuzz target $out/$target" >&2; exit 2; }
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
  if [ -n "$keep" ]; then
    "$out/$target" -merge=1 "$kept" "$work" >/dev/null 2>&1
  fi
done
[ "$crashes" -eq 0 ]
