#!/usr/bin/env bash
# Builds everything and runs every test: the core under AddressSanitizer and
# UndefinedBehaviorSanitizer, the fuzz targets for a bounded time, then the
# whole program with its window tests (headless). Ends with ctest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

echo "== core with sanitizers"
cmake -S . -B build-asan -G Ninja -DZOD_GUI=OFF -DZOD_BENCH=OFF -DZOD_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-asan -j "$jobs"
(cd build-asan && ctest -j "$jobs" --output-on-failure | tail -n 4)

echo "== fuzz targets"
cmake -S . -B build-fuzz -G Ninja -DZOD_FUZZ=ON -DZOD_GUI=OFF -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz -j "$jobs"
for f in build-fuzz/bin/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus=$(mktemp -d)
  [ -d "fuzz/seeds/$name" ] && cp -r "fuzz/seeds/$name/." "$corpus/"
  "$f" -max_total_time="${ZOD_FUZZ_SECONDS:-30}" -print_final_stats=0 "$corpus" 2>&1 | tail -n 2
  rm -rf "$corpus"
done

echo "== program and all tests"
cmake -S . -B build -G Ninja -DZOD_GUI=ON >/dev/null
cmake --build build -j "$jobs"
cd build && ctest -j "$jobs" --output-on-failure
