#!/usr/bin/env bash
# Builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh
cmake -S . -B build -G Ninja -DZOD_GUI=ON >/dev/null
cmake --build build -j "$(nproc)" --target zidavoru
exec build/bin/zidavoru "$@"
