#!/usr/bin/env bash
# Fuzzes the conversion core with libFuzzer (clang 14, AddressSanitizer and UndefinedBehavior-
# Sanitizer): the row splitter, the decoding, the six forms of one sheet, the cell encoder, the
# table and the document frames, and the workbook layer's zip directory, number formats, sheet
# XML, and its fast XML scanner against the platform's parser. Builds into build-fuzz/, replays the saved crash inputs of fuzz/regressions/<target>/, then runs each fuzzer
# for the given seconds (default 10 a target) and fails on any crash.
#
#   scripts/fuzz.sh [seconds-per-target]
#
# Each fuzzer works on build-fuzz/corpus/<target>/, seeded from fuzz/corpus/<target>/ and kept
# between runs, so a longer run goes on from what the previous ones found; delete that folder to
# start again from the seeds. For a long run give more time, e.g. `scripts/fuzz.sh 3600` for an
# hour per target, or run one fuzzer by hand on both cores:
#   build-fuzz/fuzz_table_markup -max_total_time=3600 -rss_limit_mb=2048 -jobs=2 -workers=2 \
#     -artifact_prefix=build-fuzz/artifacts/table_markup/ build-fuzz/corpus/table_markup
# A crash leaves its input in build-fuzz/artifacts/<target>/; once the fault is fixed, copy the
# input into fuzz/regressions/<target>/ so that every later run replays it. Each target's result
# goes into build-fuzz/results.txt for the test command's summary. build-fuzz/ goes into
# TABULOR_BUILD_ROOT where that is set.
set -euo pipefail
shopt -s nullglob
cd "$(dirname "$0")/.."

seconds=${1:-10}
targets=(source_rows source_text sheet_forms cell_encoding table_markup document_frame
  zip_directory number_format sheet_xml xml_paths)

bash scripts/install-deps.sh

out="${TABULOR_BUILD_ROOT:-$PWD}/build-fuzz"
results="$out/results.txt"
rm -f "$results"
cmake -S fuzz -B "$out" -G Ninja -DCMAKE_CXX_COMPILER=clang++
cmake --build "$out" -j 2

failed=()
for target in "${targets[@]}"; do
  fuzzer="$out/fuzz_$target"
  log="$out/logs/$target.log"
  mkdir -p "$out/logs" "$out/artifacts/$target" "$out/corpus/$target"

  regressions=(fuzz/regressions/"$target"/*)
  if ((${#regressions[@]})); then
    if ! "$fuzzer" "${regressions[@]}" >"$log" 2>&1; then
      echo "$target: a saved crash input fails again (log: $log)"
      tail -n 30 "$log"
      failed+=("$target")
      printf 'failed\t%s\n' "$target" >>"$results"
      continue
    fi
  fi

  cp -n fuzz/corpus/"$target"/* "$out/corpus/$target/"
  # The XML scanner is also seeded with the sheet fuzzer's worksheets.
  if [[ $target == xml_paths ]]; then
    cp -n fuzz/corpus/sheet_xml/* "$out/corpus/$target/"
  fi
  if "$fuzzer" "$out/corpus/$target" -max_total_time="$seconds" -rss_limit_mb=2048 \
      -timeout=25 -print_final_stats=1 -artifact_prefix="$out/artifacts/$target/" \
      >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    time=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log")
    echo "$target: ${runs:-?} executions in ${time:-?} s, ${#regressions[@]} saved crash input(s) replayed"
    printf 'passed\t%s\n' "$target" >>"$results"
  else
    echo "$target: crash, input kept in $out/artifacts/$target/ (log: $log)"
    tail -n 40 "$log"
    failed+=("$target")
    printf 'failed\t%s\n' "$target" >>"$results"
  fi
done

if ((${#failed[@]})); then
  echo "Fuzzing failed: ${failed[*]}"
  exit 1
fi
