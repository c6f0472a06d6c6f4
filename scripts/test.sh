#!/usr/bin/env bash
# Installs what is missing, builds Quillmarsh with its tests and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQLM_WERROR=ON
cmake --build build-test
export QT_QPA_PLATFORM=offscreen
cd build-test
ctest --output-on-failure -j "$(nproc)"
