#!/usr/bin/env bash
# Builds the reader's and the tool's tests with AddressSanitizer and UndefinedBehaviorSanitizer
# in build-asan and runs them (and the fuzz targets' seed corpora) with ctest.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${ASAN_BUILD:-build-asan}

cmake -S . -B "$BUILD" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEX_WARNINGS_AS_ERRORS=ON \
  -DTARVEX_SANITIZE=address,undefined \
  -DTARVEX_BUILD_UI=OFF -DTARVEX_BUILD_BENCH=OFF
cmake --build "$BUILD" --target replay_tests tool_tests tarvex-info fuzz_header_corpus fuzz_match_corpus \
  fuzz_big_archive_corpus fuzz_map_cache_corpus make_big_seeds make_hostile_orders

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
# Only the tests of these folders: the other folders' programs are not built here.
for area in unit fuzz; do
  ctest --test-dir "$BUILD/tests/$area" --output-on-failure
done
