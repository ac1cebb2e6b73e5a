#!/usr/bin/env bash
# Builds the header fuzzer with clang and libFuzzer (AddressSanitizer and UBSan on) in its own
# build folder and runs it for about a minute, seeded with the real replays. A crash, a
# sanitizer report or a broken rule in the fuzz target fails the run; the input that caused
# it is kept under $BUILD/fuzz-findings/.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${FUZZ_BUILD:-build-fuzz}
RUN_SECONDS=${FUZZ_SECONDS:-60}
SEEDS=${TARVEX_SHARED_DIR:-$PWD/../shared}/testdata/replays/real

cmake -S . -B "$BUILD" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEX_WARNINGS_AS_ERRORS=ON \
  -DCMAKE_CXX_COMPILER=clang++-14 \
  -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link \
  -DTARVEX_SANITIZE=address,undefined \
  -DTARVEX_FUZZ=ON -DTARVEX_BUILD_UI=OFF -DTARVEX_BUILD_BENCH=OFF
cmake --build "$BUILD" --target fuzz_header

corpora=("$BUILD/fuzz-corpus")
if [[ -d $SEEDS ]]; then
  corpora+=("$SEEDS")
elif [[ ${CI:-} == true ]]; then
  echo "test-fuzz: seed corpus missing: $SEEDS" >&2
  exit 1
else
  echo "test-fuzz: no seed corpus at $SEEDS (shared test material); fuzzing from scratch" >&2
fi
mkdir -p "$BUILD/fuzz-corpus" "$BUILD/fuzz-findings"

# New inputs go into the first folder (scratch); the seeds are only read. Real headers end
# before byte 600, so longer inputs are cut to 4 KiB and the fuzzer stays fast. libFuzzer's
# running commentary goes to a log; its end is shown either way.
log="$BUILD/fuzz.log"
echo "test-fuzz: fuzzing the header parser for ${RUN_SECONDS}s (log: $log)"
if "$BUILD/bin/fuzz_header" \
     -max_total_time="$RUN_SECONDS" -max_len=4096 -print_final_stats=1 \
     -artifact_prefix="$BUILD/fuzz-findings/" "${corpora[@]}" >"$log" 2>&1; then
  grep -E '^(Done|stat::(number_of_executed_units|average_exec_per_sec|new_units_added))' "$log"
else
  status=$?
  tail -n 80 "$log" >&2
  echo "test-fuzz: the fuzzer failed (status $status); inputs kept in $BUILD/fuzz-findings/" >&2
  exit "$status"
fi
