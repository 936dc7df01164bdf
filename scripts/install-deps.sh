#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Tabulor need, if missing,
# and those named as arguments (the tools that only one script needs).
set -euo pipefail

packages=(
  g++ cmake make ninja-build
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-translations-l10n libgl-dev
  # Looked for by Qt's CMake files at each configure, which otherwise say it is missing.
  libxkbcommon-dev
  xvfb xauth
  w3c-sgml-lib opensp libxml2-utils
  python3 python3-pandas
  zlib1g-dev libexpat1-dev libz-mingw-w64-dev python3-openpyxl python3-odf
  g++-mingw-w64-x86-64-posix wine64 fonts-wine googletest imagemagick
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed'; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi
