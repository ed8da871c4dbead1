#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz preset (clang, AddressSanitizer, UndefinedBehaviorSanitizer) and fuzzes
# one target, or all four, for the given number of seconds (default 60; with "all" each
# target gets its share). Targets: entry_text, request_checks, run_request,
# fast_transform. Each starts from its seeds in fuzz/corpus; inputs that reach new code
# are kept in build-fuzz/corpus/<target>, and an input that fails is written to
# build-fuzz/ and ends the run with an error. Further arguments go to libFuzzer (for
# example -jobs=2 for a long run in the background).
#
#   scripts/fuzz.sh [SECONDS] [TARGET|all] [LIBFUZZER OPTIONS...]
set -euo pipefail

seconds=${1:-60}
shift || true
target=all
if [[ $# -gt 0 && $1 != -* ]]; then
  target=$1
  shift
fi
all=(entry_text request_checks run_request fast_transform)

cd "$(dirname "$0")/.."

run_target() {
  local name=$1 time=$2
  shift 2
  local options=(-max_total_time="$time" -timeout=60 -artifact_prefix=build-fuzz/
                 -print_final_stats=1)
  local seeds=("fuzz/corpus/$name")
  case $name in
    entry_text) options+=(-max_len=256 -dict=fuzz/entry_text.dict) ;;
    request_checks) options+=(-max_len=1024 -dict=fuzz/run_request.dict)
                    seeds+=(fuzz/corpus/run_request) ;;
    run_request) options+=(-max_len=1024 -dict=fuzz/run_request.dict) ;;
    fast_transform) options+=(-max_len=2418) ;;
    *) echo "unknown fuzz target: $name (one of ${all[*]}, or all)" >&2; exit 2 ;;
  esac
  mkdir -p "build-fuzz/corpus/$name"
  echo "== fuzz_$name for $time s"
  "./build-fuzz/fuzz/fuzz_$name" "${options[@]}" "$@" "build-fuzz/corpus/$name" "${seeds[@]}"
}

cmake --preset fuzz
cmake --build --preset fuzz

if [[ $target == all ]]; then
  share=$((seconds / ${#all[@]}))
  ((share > 0)) || share=1
  for name in "${all[@]}"; do
    run_target "$name" "$share" "$@"
  done
else
  run_target "$target" "$seconds" "$@"
fi
