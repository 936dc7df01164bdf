#!/usr/bin/env bash
# Installs what is missing, builds Tabulor and starts its window.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTABULOR_BUILD_GUI=ON -DTABULOR_BUILD_TESTS=ON
cmake --build build -j "$(nproc)" --target tabulor

program="$PWD/build/qt/tabulor"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "Tabulor is built, but there is no display to show its window on (DISPLAY and" >&2
  echo "WAYLAND_DISPLAY are both unset). To start it on a virtual display, run:" >&2
  echo "  xvfb-run -a $(printf %q "$program")" >&2
  exit 1
fi
exec "$program"
