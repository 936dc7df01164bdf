#!/usr/bin/env bash
# Cross-builds the core and its tests for 64-bit Windows and runs the tests under Wine, whose
# prefix lives in the build folder. Needs what scripts/install-deps.sh installs.
set -euo pipefail
cd "$(dirname "$0")/.."

build="$PWD/build-windows"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
  -DTABULOR_WINE_PREFIX="$build/wine-prefix" \
  -DTABULOR_GTEST_SOURCE_DIR=/usr/src/googletest \
  -DTABULOR_BUILD_GUI=OFF -DTABULOR_BUILD_BENCHMARKS=OFF
cmake --build "$build" -j "$(nproc)"

export WINEPREFIX="$build/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
# Made once, before the tests, so that they do not race to make it; an existing prefix is
# brought up to date by Wine itself.
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
  "$wine" wineboot -i
  "$wineserver" -w
fi
(cd "$build" && ctest --output-on-failure -j "$(nproc)")
