#!/usr/bin/env bash
# Builds logic tests whose code runs threads under ThreadSanitizer (which cannot share a program with
# AddressSanitizer) and runs them.
#   tsan.sh REPOSITORY OUTPUT SOURCE...   (sources relative to the repository)
set -euo pipefail
repo=$1 out=$2
shift 2
g++ -std=c++17 -O1 -g -fsanitize=thread -Wall -Wextra -Werror -I"$repo" "${@/#/$repo/}" \
  -lgtest -lgtest_main -pthread -o "$out"
TSAN_OPTIONS="halt_on_error=1" "$out"
