#!/usr/bin/env bash
# Installs what is missing, builds Tabulor and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$(nproc)" --target tabulor_core
echo "The conversion core is built; the desktop window does not exist yet, so there is nothing to start."
