#!/usr/bin/env bash
# Whole-file measurements of the conversion: builds the benchmark programs when needed, makes the
# sample sources in a scratch folder, measures and prints a Markdown table of figures and ratios
# on standard output (progress goes to standard error).
#
#   bench/run.sh [--build-dir DIR] [--work-dir DIR] [--repeat N] [--pandas-repeat N]
#                [--size-mb N] [--rows-mb N] [--workbook-rows N]
#
# Without --build-dir it configures and builds build-bench/ in Release. The scratch folder goes
# under /dev/shm when it has room, so that the page cache's write-back to a disk does not drown
# what is measured; --work-dir names another parent folder. The workbooks' rows need a build
# that reads workbooks (TABULOR_BUILD_WORKBOOKS, on by default).
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
python=/usr/bin/python3  # Debian's, which has pandas; another python3 may come first in PATH
needed_bytes=$((2 * 1024 * 1024 * 1024))

build_dir=""
work_parent=""
measure_args=()
while (($#)); do
  case "$1" in
    --build-dir) build_dir="$2"; shift 2 ;;
    --work-dir) work_parent="$2"; shift 2 ;;
    -h | --help) sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) measure_args+=("$1"); shift ;;
  esac
done

build() {
  if [[ -z "$build_dir" ]]; then
    build_dir="$root/build-bench"
    if [[ ! -f "$build_dir/CMakeCache.txt" ]]; then
      cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DTABULOR_BUILD_GUI=OFF -DTABULOR_BUILD_TESTS=OFF -DTABULOR_BUILD_BENCHMARKS=ON >&2
    fi
  fi
  if ! grep -q '^CMAKE_BUILD_TYPE:STRING=Release$' "$build_dir/CMakeCache.txt"; then
    echo "warning: $build_dir is not a Release build; the figures will not be representative" >&2
  fi
  local targets=(tabulor_bench_generate tabulor_bench_convert tabulor_bench_floor)
  if grep -q '^TABULOR_BUILD_WORKBOOKS:BOOL=OFF$' "$build_dir/CMakeCache.txt"; then
    echo "warning: $build_dir leaves workbooks out; their rows are left out" >&2
    measure_args+=(--workbook-rows 0)
  else
    targets+=(tabulor_bench_workbook tabulor_bench_inflate)
  fi
  cmake --build "$build_dir" -j "$(nproc)" --target "${targets[@]}" >&2
}

pick_work_parent() {
  if [[ -n "$work_parent" ]]; then
    return
  fi
  work_parent="${TMPDIR:-/tmp}"
  if [[ -d /dev/shm && -w /dev/shm ]] &&
    (($(df --output=avail -B1 /dev/shm | tail -n 1) >= needed_bytes)); then
    work_parent=/dev/shm
  fi
}

describe_machine() {
  local cpu
  cpu="$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)"
  echo "${cpu:-unknown processor}, $(nproc) cores"
}

build
pick_work_parent
work_dir="$(mktemp -d "$work_parent/tabulor-bench.XXXXXX")"
trap 'rm -rf "$work_dir"' EXIT

if ! "$python" -c 'import pandas' 2>/dev/null; then
  echo "warning: $python has no pandas (Debian package python3-pandas); its row is left out" >&2
  measure_args+=(--pandas-repeat 0)
fi

"$python" "$here/whole_file.py" --bin-dir "$build_dir/bench" --work-dir "$work_dir" \
  --work-fs "$(stat -f -c %T "$work_dir")" --machine "$(describe_machine)" "${measure_args[@]}"
