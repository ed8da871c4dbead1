#!/usr/bin/env bash
# Builds the fuzz preset (clang, AddressSanitizer, UndefinedBehaviorSanitizer) and fuzzes
# the run request for the given number of seconds (default 60), starting from the seed
# corpus in fuzz/corpus. Inputs that reach new code are kept in build-fuzz/corpus, an
# input that fails is written to build-fuzz/ and ends the run with an error. Further
# arguments go to libFuzzer (for example -jobs=1 for a long run in the background).
set -euo pipefail

seconds=${1:-60}
shift || true

cd "$(dirname "$0")/.."

cmake --preset fuzz
cmake --build --preset fuzz

mkdir -p build-fuzz/corpus
./build-fuzz/fuzz/fuzz_run_request -max_total_time="$seconds" -max_len=1024 -timeout=60 \
  -dict=fuzz/run_request.dict -artifact_prefix=build-fuzz/ -print_final_stats=1 "$@" \
  build-fuzz/corpus fuzz/corpus
