#!/usr/bin/env bash
# Installs what is missing, builds the packages from the working tree and leaves them in dist/:
#   tabulor_<version>_amd64.deb        the Qt program, for Debian 12 and its derivatives
#   tabulor-<version>-win64-setup.exe  the installer of the native Windows program
#   tabulor-<version>-win64.zip        the same programs alone, to unpack and run
# The version is the one of project() in CMakeLists.txt. Build folders: build-package/ and
# build-windows-package/; they and dist/ go into TABULOR_BUILD_ROOT where that is set.
# scripts/test-packages.sh checks what this leaves.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh dpkg-dev file nsis zip lintian appstream desktop-file-utils man-db

root=${TABULOR_BUILD_ROOT:-$PWD}
dist="$root/dist"
rm -rf "$dist"
mkdir -p "$dist"
jobs=2
# The time stamp that strip writes into the Windows program, so that the installer's copy and
# the portable one are the same file.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || date +%s)
export SOURCE_DATE_EPOCH

# Compiled with the flags and hardening a package built by Debian gets.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
build="$root/build-package"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  -DTABULOR_BUILD_GUI=ON -DTABULOR_BUILD_TESTS=OFF -DTABULOR_BUILD_BENCHMARKS=OFF
cmake --build "$build" -j "$jobs"
(cd "$build" && cpack -G DEB -D CPACK_OUTPUT_FILE_PREFIX="$dist")

# Windows: the native program, cross-built with mingw-w64.
build="$root/build-windows-package"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
  -DTABULOR_BUILD_GUI=ON -DTABULOR_BUILD_TESTS=OFF -DTABULOR_BUILD_BENCHMARKS=OFF
cmake --build "$build" -j "$jobs"
(cd "$build" && cpack -G NSIS -D CPACK_OUTPUT_FILE_PREFIX="$dist")

# The portable program: tabulor.exe, its console program tabulor.com and a short text in French,
# with Windows line ends and the byte order mark by which Notepad knows UTF-8.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
stage="$build/portable"
rm -rf "$stage"
cmake --install "$build" --prefix "$stage" --strip
{ printf '\xef\xbb\xbf'; sed 's/$/\r/' resources/LISEZMOI.txt; } >"$stage/LISEZMOI.txt"
zip -q -j -X "$dist/tabulor-$version-win64.zip" "$stage/tabulor.exe" "$stage/tabulor.com" "$stage/LISEZMOI.txt"

echo "Packages in $dist/:"
ls -l "$dist"
