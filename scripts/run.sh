#!/usr/bin/env bash
# Builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DKESTRAM_BENCH=OFF >/dev/null
cmake --build build/release -j"$(nproc)" --target kestram
exec build/release/app/kestram "$@"
