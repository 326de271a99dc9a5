#!/usr/bin/env bash
# Builds the program and starts it in the folder it was called from, so that
# its file dialogs first propose that folder.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
bash "$raiz/scripts/deps.sh"
cmake -S "$raiz" -B "$raiz/build/release" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$raiz/build/release" -j"$(nproc)" --target kestram
exec "$raiz/build/release/app/kestram" "$@"
