#!/usr/bin/env bash
# Runs the program with the arguments after the first three, as from a terminal without a
# display, and checks its exit code and that its answer is on the named stream alone.
#   command_line_test.sh PROGRAM EXIT-CODE stdout|stderr ARGUMENT...
program=$1 expected=$2 stream=$3
shift 3
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@" >"$out" 2>"$err"
code=$?
[[ $stream == stdout ]] && answer=$out silent=$err || answer=$err silent=$out
if [[ $code != "$expected" || ! -s $answer || -s $silent ]]; then
  echo "exit code $code (expected $expected); standard output:"
  cat "$out"
  echo "standard error:"
  cat "$err"
  exit 1
fi
