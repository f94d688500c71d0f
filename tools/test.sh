#!/usr/bin/env bash
# Builds everything and runs every test: all tests, core and windows, built
# with clang under AddressSanitizer and UndefinedBehaviorSanitizer (float-to-
# integer overflow included), the fuzz targets for a bounded time with their
# seeds, dictionaries and options, then the whole program with its window
# tests (headless). Ends with ctest's summary of that last build.
#
# A step that passes says so in a few lines; a step that fails shows all it
# wrote, so that a sanitizer's or a fuzzer's report reaches the log whole.
#
# fuzz/<target>.options holds the passes of a target, one a line: the extra
# libFuzzer flags of the pass, separated by blanks (such as -max_len=4096);
# lines starting with # are comments. A target without one has one pass
# without extra flags. The passes of a target run one after the other on one
# corpus, each for an equal share of the target's ZOD_FUZZ_SECONDS (20).
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
log=$(mktemp)
status=0
# ctest keeps at most 300 KB of a failed test's output unless told otherwise.
(cd build-san && ctest -j "$jobs" --output-on-failure --test-output-size-failed 100000000) >"$log" 2>&1 ||
  status=$?
if [ "$status" -ne 0 ]; then
  cat "$log"
  exit "$status"
fi
tail -n 4 "$log"
rm -f "$log"

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
  passes=()
  if [ -f "fuzz/$name.options" ]; then
    while read -r pass; do
      case "$pass" in "" | "#"*) ;; *) passes+=("$pass") ;; esac
    done <"fuzz/$name.options"
  fi
  [ ${#passes[@]} -gt 0 ] || passes=("")
  seconds=$((${ZOD_FUZZ_SECONDS:-20} / ${#passes[@]}))
  [ "$seconds" -gt 0 ] || seconds=1
  for pass in "${passes[@]}"; do
    read -r -a opts <<<"$pass"
    log=$(mktemp)
    status=0
    "$f" "${dict[@]}" "${opts[@]}" -max_total_time="$seconds" -print_final_stats=1 "$corpus" >"$log" 2>&1 ||
      status=$?
    if [ "$status" -ne 0 ]; then
      cat "$log"
      exit "$status"
    fi
    echo "$name${pass:+ $pass}: $(grep -E '^#[0-9]+.*DONE' "$log" | tail -n 1)"
    rm -f "$log"
  done
  rm -rf "$corpus"
done

echo "== program and all tests"
cmake -S . -B build -G Ninja -DZOD_GUI=ON >/dev/null
cmake --build build -j "$jobs"
cd build && ctest -j "$jobs" --output-on-failure
