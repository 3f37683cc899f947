#!/usr/bin/env bash
# Runs every benchmark once in its small size (QUOXEL_BENCH_SMALL=1: one round, a few hundred files or
# lines, seconds each) and fails when one fails, which it does when its own checks fail, or when it
# does not print its closing figure. The figures are not judged: on a shared machine they are noise.
# Each bench's output goes to <build>/bench-small/<name>.log.
#   bench/small.sh
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../scripts/env.sh"

logs=$build_root/bench-small
status=0

run_small() { # name, the line its figures end with (an extended regular expression), the bench and its arguments
  local name=$1 figure=$2 log=$logs/$1.log start=$SECONDS
  shift 2
  if ! QUOXEL_BENCH_SMALL=1 "$@" </dev/null >"$log" 2>&1; then
    echo "bench $name: FAILED (log: $log)"
    tail -n 15 "$log" | sed 's/^/  /'
    status=1
  elif ! grep -Eq "$figure" "$log"; then
    echo "bench $name: FAILED, no line '$figure' (log: $log)"
    status=1
  else
    echo "bench $name: $((SECONDS - start)) s, $(grep -E "$figure" "$log" | head -n 1)"
  fi
}

mkdir -p "$logs"
run_small startup '^slowest_make_ms ' "$here/startup.sh"
run_small search '^Ratio search / bare walk on 1 thread ' "$here/search.sh"
run_small catalogue '^Ratio load / bare fill ' "$here/catalogue.sh"
run_small cleaner '^Ratio search / bare walk on 1 thread ' "$here/cleaner.sh"
run_small cleaner-fix '^Ratio fix / one-thread loop ' "$here/cleaner.sh" --fix
exit "$status"
