#!/usr/bin/env bash
# Cross-builds the core, the Windows program (build-windows/win32/tabulor.exe) and their tests for
# 64-bit Windows and runs the tests under Wine, whose prefix lives in the build folder, on a
# virtual display, listing each case. Needs what scripts/install-deps.sh installs. The build
# folder goes into TABULOR_BUILD_ROOT where that is set.
set -euo pipefail
cd "$(dirname "$0")/.."

build="${TABULOR_BUILD_ROOT:-$PWD}/build-windows"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
  -DTABULOR_WINE_PREFIX="$build/wine-prefix" \
  -DTABULOR_GTEST_SOURCE_DIR=/usr/src/googletest \
  -DTABULOR_BUILD_GUI=ON -DTABULOR_BUILD_BENCHMARKS=OFF
cmake --build "$build" -j "$(( $(nproc) < 2 ? $(nproc) : 2 ))"

source scripts/wine-env.sh
wine_prefix "$build/wine-prefix"
# The window's tests need a display; they drive one program at a time.
xvfb-run -a -s "-screen 0 1280x800x24" bash scripts/ctest-run.sh "$build"
