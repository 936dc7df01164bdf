#!/usr/bin/env bash
# Whole-file measurements of the conversion: builds the benchmark programs when needed, makes the
# sample sources in a scratch folder, measures and prints a Markdown table of figures and ratios
# on standard output (progress goes to standard error).
#
#   bench/run.sh [--build-dir DIR] [--work-dir DIR] [--baseline-commit REV]
#                [--workbook-baseline-commit REV] [--repeat N] [--small-repeat N] [--pandas-repeat N]
#                [--size-mb N] [--rows-mb N] [--workbook-rows N]
#
# Without --build-dir it configures and builds build-bench/ in Release. A small sheet is also
# converted by tabulor_bench_convert as built from --baseline-commit in DIR-baseline/, beside the
# build folder DIR (the commit's sources exported there with git archive and kept while it stays
# the same), and each workbook by the one built from --workbook-baseline-commit in
# DIR-baseline-workbooks/, whose figures stand beside this build's; without the repository's
# history that row and those figures are left out. The scratch folder goes
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
# The last commit before the text path went to both cores.
baseline_commit=00971d40dc02ceb33458df62e793ae71899f00d3
# The last commit before the workbooks' cell parts had a fast path.
workbook_baseline_commit=5e7bd5a898b6d6a398169cfadf2859be2c36a203
measure_args=()
while (($#)); do
  case "$1" in
    --build-dir) build_dir="$2"; shift 2 ;;
    --work-dir) work_parent="$2"; shift 2 ;;
    --baseline-commit) baseline_commit="$2"; shift 2 ;;
    --workbook-baseline-commit) workbook_baseline_commit="$2"; shift 2 ;;
    -h | --help) sed -n '2,18p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
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

# Builds tabulor_bench_convert of commit $1 in the folder beside the build folder named by its
# suffix $2, with the compiler, flags and options of the build folder, so that only the sources
# differ, and hands it to the measurements as their --$3-convert.
build_baseline() {
  local dir="${build_dir%/}-$2" commit settings=() name line
  if [[ "$(git -C "$root" rev-parse --show-toplevel 2>/dev/null)" != "$(cd "$root" && pwd -P)" ]] ||
    ! commit="$(git -C "$root" rev-parse --verify --quiet "$1^{commit}")"; then
    echo "warning: commit $1 is not in this tree's history; no build in $dir" >&2
    return
  fi
  if [[ "$(cat "$dir/commit" 2>/dev/null)" != "$commit" ]]; then
    rm -rf "$dir/src" "$dir/build"
    mkdir -p "$dir/src"
    git -C "$root" archive "$commit" | tar -x -C "$dir/src"
    echo "$commit" >"$dir/commit"
  fi
  for name in CMAKE_CXX_COMPILER CMAKE_CXX_FLAGS TABULOR_BUILD_WORKBOOKS benchmark_DIR; do
    if line="$(grep -m 1 "^$name:" "$build_dir/CMakeCache.txt")"; then
      settings+=("-D$line")
    fi
  done
  cmake -S "$dir/src" -B "$dir/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTABULOR_BUILD_GUI=OFF \
    -DTABULOR_BUILD_TESTS=OFF -DTABULOR_BUILD_BENCHMARKS=ON "${settings[@]}" >&2
  cmake --build "$dir/build" -j "$(nproc)" --target tabulor_bench_convert >&2
  measure_args+=("--$3-convert" "$dir/build/bench/tabulor_bench_convert" "--$3-label" "commit ${commit:0:7}")
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
build_baseline "$baseline_commit" baseline baseline
build_baseline "$workbook_baseline_commit" baseline-workbooks workbook-baseline
pick_work_parent
work_dir="$(mktemp -d "$work_parent/tabulor-bench.XXXXXX")"
trap 'rm -rf "$work_dir"' EXIT

if ! "$python" -c 'import pandas' 2>/dev/null; then
  echo "warning: $python has no pandas (Debian package python3-pandas); its row is left out" >&2
  measure_args+=(--pandas-repeat 0)
fi

"$python" "$here/whole_file.py" --bin-dir "$build_dir/bench" --work-dir "$work_dir" \
  --work-fs "$(stat -f -c %T "$work_dir")" --machine "$(describe_machine)" "${measure_args[@]}"
