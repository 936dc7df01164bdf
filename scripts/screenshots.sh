#!/usr/bin/env bash
# Makes the README's pictures of both windows on a virtual display: docs/window-linux.png (the Qt
# program) and docs/window-windows.png (tabulor.exe under Wine, inside a Wine desktop, which draws
# the window's frame as Windows would). Builds what is missing, as scripts/run.sh and
# scripts/test-windows.sh do.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ -z "${TABULOR_SCREENSHOT_DISPLAY:-}" ]]; then
  bash scripts/install-deps.sh xdotool
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTABULOR_BUILD_GUI=ON -DTABULOR_BUILD_TESTS=ON
  cmake --build build -j 2 --target tabulor
  if [[ ! -f build-windows/win32/tabulor.exe ]]; then
    bash scripts/test-windows.sh
  fi
  exec xvfb-run -a -s "-screen 0 1024x600x24" env TABULOR_SCREENSHOT_DISPLAY=1 bash "$0"
fi

mkdir -p docs
# Starts a program, waits for its window named name, takes its picture into file, ends it.
shoot() {
  local name=$1 file=$2
  shift 2
  "$@" >/dev/null 2>&1 &
  local program=$!
  local window
  window=$(timeout 60 xdotool search --sync --onlyvisible --name "$name" | head -n 1)
  xdotool mousemove 0 0 # no control shows the pointer over it
  sleep 2 # the window paints after it maps
  import -window "$window" "$file"
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
}

shoot '^Tabulor$' docs/window-linux.png build/qt/tabulor

source scripts/wine-env.sh
wine_prefix "$PWD/build-windows/wine-prefix"
shoot 'Wine desktop' docs/window-windows.png \
  "$wine" explorer /desktop=Tabulor,700x440 build-windows/win32/tabulor.exe
"$wineserver" -k || true
echo "docs/window-linux.png and docs/window-windows.png written"
