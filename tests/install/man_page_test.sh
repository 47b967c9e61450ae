#!/usr/bin/env bash
# The manual page of mervanta-cli documents exactly the commands and options that the tool's
# help lists: every command has its section, the OPTIONS section holds the global options,
# and each command's section holds the options of that command alone.
# Usage: man_page_test.sh TOOL MAN_PAGE
set -o pipefail
tool=$1 page=$2

# The option names of a help text's section (its heading given), sorted.
help_options() {
  sed -n "/^$1:\$/,/^\$/p" | sed -n 's/^  --\([a-z-]*\).*/\1/p' | sort
}
# The names in the man page's item lines (".TP" then ".B" or ".BI" of an option) between the
# line matching the start and the next section, sorted.
page_options() {
  sed -n "/^$1\$/,\$p" "$page" | sed '1d' | sed '/^\.S[HS] /,$d' |
    sed -n '/^\.TP$/{n;s/^\.BI\{0,1\} \\-\\-\([a-z\\-]*\).*/\1/p}' | sed 's/\\-/-/g' | sort
}

failures=0
compare() {
  local what=$1 expected=$2 actual=$3
  if [[ $expected != "$actual" ]]; then
    echo "$what: the help has" >&2
    echo "$expected" >&2
    echo "but the manual page has" >&2
    echo "$actual" >&2
    failures=$((failures + 1))
  fi
}

help=$("$tool" --help) || exit 1
commands=$(sed -n '/^Commands:$/,/^$/s/^  \([a-z]*\)  .*/\1/p' <<<"$help" | sort)
compare "commands" "$commands" "$(sed -n 's/^\.SS \([a-z]*\)$/\1/p' "$page" | sort)"
compare "global options" "$(help_options Options <<<"$help")" "$(page_options '\.SH OPTIONS')"
for command in $commands; do
  compare "options of $command" "$("$tool" "$command" --help | help_options 'Command options')" \
    "$(page_options "\\.SS $command")"
done
exit $((failures > 0))
