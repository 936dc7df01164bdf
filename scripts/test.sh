#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test; then builds the core tests
# again with AddressSanitizer and UndefinedBehaviorSanitizer, converting a byte at a time
# (TABULOR_PLAIN_SCAN) where the first build takes sixteen, and runs them once more, then the
# core's own tests with ThreadSanitizer, and
# cross-builds them for Windows and runs them under Wine, and fuzzes the core for about a minute;
# last, builds the packages and checks them. A suite that fails stops none of the others. Ends
# with each suite's count, the cases skipped (with why) and failed, and, on the last line, the
# total (scripts/test-summary.py); fails where any case failed.
# TABULOR_BUILD_ROOT, where set, is the folder that takes the build folders and dist/ instead of
# the checkout, as for scripts/test-windows.sh, fuzz.sh, package.sh and test-packages.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
root=${TABULOR_BUILD_ROOT:-$PWD}

# Beyond what building needs, the checkers of the documents the core writes: Java for the Nu HTML
# checker, Chromium for axe, Node.js where the machine has none, and the npm packages they run, as
# tests/tools/package-lock.json pins them (vnu-jar's install script, which fetches a Java of its
# own, left unrun).
checkers=(default-jre-headless chromium)
command -v npm >/dev/null || checkers+=(nodejs npm)
bash scripts/install-deps.sh "${checkers[@]}"
(cd tests/tools && npm ci --ignore-scripts --no-audit --no-fund)

# What each suite leaves for the summary; a suite that stops before its results counts as a
# failure, never with an earlier run's results.
linux="$root/build/ctest.xml"
sanitized="$root/build-sanitize/ctest.xml"
threads="$root/build-threads/ctest.xml"
windows="$root/build-windows/ctest.xml"
fuzzing="$root/build-fuzz/results.txt"
packages="$root/build-package/package-test/results.txt"
rm -f "$linux" "$sanitized" "$threads" "$windows" "$fuzzing" "$packages"

jobs=$(nproc)
# build_and_test FOLDER CMAKE-OPTION...: configures and builds FOLDER, then runs its tests.
build_and_test() {
  local build=$1
  shift
  cmake -S . -B "$build" -G Ninja "$@" && cmake --build "$build" -j "$jobs" &&
    bash scripts/ctest-run.sh "$build" -j "$jobs"
}

build_and_test "$root/build" -DCMAKE_BUILD_TYPE=Release -DTABULOR_BUILD_GUI=ON \
  -DTABULOR_BUILD_TESTS=ON || true
build_and_test "$root/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DTABULOR_SANITIZE=ON \
  -DTABULOR_PLAIN_SCAN=ON -DTABULOR_BUILD_GUI=OFF -DTABULOR_BUILD_BENCHMARKS=OFF || true
# The conversion's threads are the core's: its tests alone, the other programs left unbuilt.
{ cmake -S . -B "$root/build-threads" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTABULOR_SANITIZE_THREADS=ON -DTABULOR_BUILD_GUI=OFF -DTABULOR_BUILD_BENCHMARKS=OFF &&
  cmake --build "$root/build-threads" -j "$jobs" --target tabulor_core_tests &&
  bash scripts/ctest-run.sh "$root/build-threads" -j "$jobs" -E _NOT_BUILT; } || true
bash scripts/test-windows.sh || true
bash scripts/fuzz.sh || true
{ bash scripts/package.sh && bash scripts/test-packages.sh; } || true

echo
python3 scripts/test-summary.py total --ctest Linux "$linux" \
  --ctest "Linux, with sanitizers" "$sanitized" --ctest "Linux, with ThreadSanitizer" "$threads" \
  --ctest "Windows, under Wine" "$windows" \
  --list Fuzzing "$fuzzing" --list Packages "$packages"
