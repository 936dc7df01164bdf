#!/usr/bin/env bash
# Checks the bash completion against the program: it offers the options that --help lists, no
# more and no fewer, none after "--", and every word it offers after an option that takes one of
# a few is one the program takes.
#   completion_test.sh PROGRAM COMPLETION-FILE
set -u
program=$1 completion=$2
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder" || exit 1
failed=0
fail() { echo "$*"; failed=1; }

bash -n "$completion" || exit 1
# shellcheck source=/dev/null
source "$completion"
offered() {
  COMP_WORDS=(tabulor "$@") COMP_CWORD=$# COMPREPLY=()
  _tabulor
  ((${#COMPREPLY[@]})) && printf '%s\n' "${COMPREPLY[@]}" | sort
}
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@"; }

listed=$(run --help | grep -E '^  -' | sed -E 's/   .*//' | grep -oE -- '--?[a-z-]*' | sort)
[[ -n $listed && $(offered -) == "$listed" ]] ||
  fail "options offered: $(offered - | xargs); listed by --help: $(xargs <<<"$listed")"
[[ $(offered --do) == --document ]] || fail "--do completes to $(offered --do | xargs)"
[[ -z $(offered -c -- -) ]] || fail "options offered after --: $(offered -c -- - | xargs)"
[[ -z $(offered -c --titre '') ]] || fail "a caption completes to $(offered -c --titre '' | xargs)"

printf 'a\tb\n' >source.txt
for option in --document --codage --separateur; do
  words=$(offered -c "$option" '')
  [[ -n $words ]] || fail "no word offered after $option"
  for word in $words; do
    run -c "$option" "$word" -o - source.txt >/dev/null || fail "$option $word is refused"
  done
done
[[ $(offered -c source.t) == source.txt ]] || fail "source.t completes to $(offered -c source.t | xargs)"
exit $failed
