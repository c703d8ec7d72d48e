#!/usr/bin/env bash
# Installs what is missing, builds a Release build and starts the editor with the given file.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DZEFRA_BUILD_TESTS=OFF > /dev/null
cmake --build build/release --target zefraed
exec ./build/release/app/zefraed "$@"
