#!/usr/bin/env bash
# Builds everything and runs every test: all tests, core and windows, built
# with clang under AddressSanitizer and UndefinedBehaviorSanitizer (float-to-
# integer overflow included), the fuzz targets for a bounded time with their
# seeds and dictionaries, then the whole program with its window tests
# (headless). Ends with ctest's summary of that last build.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

echo "== all tests with sanitizers (clang)"
cmake -S . -B build-san -G Ninja -DZOD_GUI=ON -DZOD_BENCH=OFF -DZOD_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-san -j "$jobs"
(cd build-san && ctest -j "$jobs" --output-on-failure | tail -n 4)

echo "== fuzz targets"
cmake -S . -B build-fuzz -G Ninja -DZOD_FUZZ=ON -DZOD_GUI=OFF -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz -j "$jobs"
for f in build-fuzz/bin/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus=$(mktemp -d)
  [ -d "fuzz/seeds/$name" ] && cp -r "fuzz/seeds/$name/." "$corpus/"
  dict=()
  [ -f "fuzz/$name.dict" ] && dict=(-dict="fuzz/$name.dict")
  log=$(mktemp)
  status=0
  "$f" "${dict[@]}" -max_total_time="${ZOD_FUZZ_SECONDS:-30}" -print_final_stats=1 "$corpus" >"$log" 2>&1 ||
    status=$?
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$log"
    exit "$status"
  fi
  echo "$name: $(grep -E '^#[0-9]+.*DONE' "$log" | tail -n 1)"
  rm -rf "$corpus" "$log"
done

echo "== program and all tests"
cmake -S . -B build -G Ninja -DZOD_GUI=ON >/dev/null
cmake --build build -j "$jobs"
cd build && ctest -j "$jobs" --output-on-failure
