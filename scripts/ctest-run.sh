#!/usr/bin/env bash
# Runs the tests of a build folder with ctest and the options given after it, leaves ctest's
# results in FOLDER/ctest.xml with every test's whole output, which scripts/test-summary.py reads,
# and lists the cases of the tests that ran a whole test program. Fails where a test failed.
#   scripts/ctest-run.sh FOLDER [ctest option]...
set -uo pipefail
build=$1
shift
results="$build/ctest.xml"
rm -f "$results"
# Without a limit, ctest keeps only the first kilobyte of a passed test's output.
(cd "$build" && ctest --output-on-failure --output-junit "$results" \
  --test-output-size-passed 50000000 --test-output-size-failed 50000000 "$@")
status=$?
python3 "$(dirname "$0")/test-summary.py" cases "$results"
exit "$status"
