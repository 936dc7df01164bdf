#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test; then builds the core tests
# again with AddressSanitizer and UndefinedBehaviorSanitizer and runs them once more, and
# cross-builds them for Windows and runs them under Wine, and fuzzes the core for about a minute;
# last, builds the packages and checks them.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTABULOR_BUILD_GUI=ON -DTABULOR_BUILD_TESTS=ON
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTABULOR_SANITIZE=ON \
  -DTABULOR_BUILD_GUI=OFF -DTABULOR_BUILD_BENCHMARKS=OFF
cmake --build build-sanitize -j "$jobs"
(cd build-sanitize && ctest --output-on-failure -j "$jobs")

bash scripts/test-windows.sh

bash scripts/fuzz.sh

bash scripts/package.sh
bash scripts/test-packages.sh
