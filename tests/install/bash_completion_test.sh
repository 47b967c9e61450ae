#!/usr/bin/env bash
# Completes command lines of mervanta-cli as bash does on Tab, through the completion script
# and the built tool, and checks the offered words: a command, an option, an option's value,
# a table file and the columns of a table's description file.
# Usage: bash_completion_test.sh COMPLETION_SCRIPT TOOL EXAMPLES_FOLDER
set -o pipefail
script=$1 tool=$2 examples=$3

source /usr/share/bash-completion/bash_completion
# shellcheck source=/dev/null
source "$script"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$examples/garden.csv" "$examples/garden.kx" "$work/"
cd "$work" || exit 1
mkdir -p bin
ln -s "$tool" bin/mervanta-cli
PATH=$work/bin:$PATH

# The words offered for LINE with the cursor at its end, one a line, sorted.
offered() {
  COMP_LINE=$1
  COMP_POINT=${#COMP_LINE}
  # Split as readline does, an empty current word when the line ends in a space.
  read -ra COMP_WORDS <<<"$1"
  [[ $1 == *" " ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _mervanta_cli mervanta-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  printf '%s\n' "${COMPREPLY[@]}" | sort
}

failures=0
expect() {
  local line=$1 expected=$2 actual
  actual=$(offered "$line")
  if [[ $actual != "$expected" ]]; then
    printf 'for "%s" expected:\n%s\nbut got:\n%s\n\n' "$line" "$expected" "$actual" >&2
    failures=$((failures + 1))
  fi
}

expect "mervanta-cli se" "search"
expect "mervanta-cli --quiet s" $'search\nshow\nsort\nstats'
expect "mervanta-cli show garden.csv --he" $'--header\n--help'
expect "mervanta-cli sort garden.csv --d" "--desc"
expect "mervanta-cli show garden.csv --format " $'csv\ntable\ntsv'
expect "mervanta-cli export garden.csv --format h" "html"
expect "mervanta-cli info gar" $'garden.csv\ngarden.kx'
expect "mervanta-cli sort garden.csv --by Pl" "Plant"
expect "mervanta-cli show garden.kx --columns Plant,Ph" "Plant,Photo"
expect "mervanta-cli column garden.csv delete Co" "Contact"
expect "mervanta-cli --raw show garden.csv --sort Care:" $'Notes\nShop'
expect "mervanta-cli option garden.csv No" $'NoEquals\nNoTrim'
exit $((failures > 0))
