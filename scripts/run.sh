#!/usr/bin/env bash
# Installs what is missing, builds Quillmarsh and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQLM_BUILD_TESTS=OFF -DQLM_BUILD_BENCH=OFF
cmake --build build
exec build/bin/quillmarsh "$@"
