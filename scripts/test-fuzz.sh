#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (AddressSanitizer and UBSan on) in their own
# build folder and runs them for about a minute together: the header parser and the orders'
# walk, seeded with the real replays, the archive table reader, seeded with archives of our
# own making, and the map cache reader, seeded with the official maps' real cache. A crash,
# a sanitizer report, a broken rule in a fuzz target or an input that takes longer than
# FUZZ_TIMEOUT seconds fails the run; the input that caused it is kept under
# $BUILD/fuzz-findings/.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${FUZZ_BUILD:-build-fuzz}
RUN_SECONDS=${FUZZ_SECONDS:-60}
# Per input: the inputs are a few KiB, walked in milliseconds even under the sanitizers.
INPUT_SECONDS=${FUZZ_TIMEOUT:-10}
SHARED=${TARVEX_SHARED_DIR:-$PWD/../shared}
SEEDS=$SHARED/testdata/replays/real
MAP_SEEDS=$SHARED/testdata/maps

cmake -S . -B "$BUILD" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEX_WARNINGS_AS_ERRORS=ON \
  -DCMAKE_CXX_COMPILER=clang++-14 \
  -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link \
  -DTARVEX_SANITIZE=address,undefined \
  -DTARVEX_FUZZ=ON -DTARVEX_BUILD_UI=OFF -DTARVEX_BUILD_BENCH=OFF
cmake --build "$BUILD" --target fuzz_header fuzz_match fuzz_big_archive fuzz_map_cache make_big_seeds

header_corpora=("$BUILD/fuzz-corpus")
if [[ -d $SEEDS ]]; then
  header_corpora+=("$SEEDS")
elif [[ ${CI:-} == true ]]; then
  echo "test-fuzz: seed corpus missing: $SEEDS" >&2
  exit 1
else
  echo "test-fuzz: no seed corpus at $SEEDS (shared test material); fuzzing from scratch" >&2
fi
mkdir -p "$BUILD/fuzz-corpus" "$BUILD/fuzz-corpus-match" "$BUILD/fuzz-corpus-big" \
  "$BUILD/fuzz-corpus-map-cache" "$BUILD/fuzz-findings"
"$BUILD/bin/make_big_seeds" "$BUILD/big-seeds"

# fuzz NAME SECONDS MAX_LEN CORPUS...: new inputs go into the first folder (scratch); the
# seeds are only read. libFuzzer's running commentary goes to a log; its end is shown either way.
fuzz() {
  local name=$1 seconds=$2 max_len=$3
  shift 3
  local log="$BUILD/$name.log"
  echo "test-fuzz: fuzzing $name for ${seconds}s (log: $log)"
  if "$BUILD/bin/$name" \
       -max_total_time="$seconds" -max_len="$max_len" -timeout="$INPUT_SECONDS" \
       -print_final_stats=1 \
       -artifact_prefix="$BUILD/fuzz-findings/$name-" "$@" >"$log" 2>&1; then
    grep -E '^(Done|stat::(number_of_executed_units|average_exec_per_sec|new_units_added))' "$log"
  else
    local status=$?
    tail -n 80 "$log" >&2
    echo "test-fuzz: $name failed (status $status); inputs kept in $BUILD/fuzz-findings/" >&2
    exit "$status"
  fi
}

# Real headers end before byte 600, so longer inputs are cut to 4 KiB and the fuzzer stays
# fast. The walk gets 16 KiB: a header and a few hundred orders of a real replay. Tables of a
# few dozen entries show every way a table can lie. The official cache (21 KB) fits the map
# cache's 32 KiB.
header_seconds=$(( RUN_SECONDS / 3 ))
match_seconds=$(( RUN_SECONDS / 4 ))
big_seconds=$(( RUN_SECONDS / 5 ))
fuzz fuzz_header "$header_seconds" 4096 "${header_corpora[@]}"
match_corpora=("$BUILD/fuzz-corpus-match" "${header_corpora[@]:1}")
fuzz fuzz_match "$match_seconds" 16384 "${match_corpora[@]}"
fuzz fuzz_big_archive "$big_seconds" 8192 "$BUILD/fuzz-corpus-big" "$BUILD/big-seeds"
map_corpora=("$BUILD/fuzz-corpus-map-cache")
[[ -d $MAP_SEEDS ]] && map_corpora+=("$MAP_SEEDS")
fuzz fuzz_map_cache "$(( RUN_SECONDS - header_seconds - match_seconds - big_seconds ))" 32768 "${map_corpora[@]}"
