#!/usr/bin/env bash
# Checks that the binary spreadsheet and dBASE exports open in programs this project did not
# write: a generated table of 1,000 records is exported, then read back with Debian's
# python3-xlrd and python3-dbfread, and every cell is compared with the table's data file.
# Usage: scripts/check-exports.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/packages.sh"
install_missing_packages "${BUILD_PACKAGES[@]}" python3 python3-xlrd python3-dbfread
build="$root/build/check-exports"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMERVANTA_TESTS=OFF >/dev/null
cmake --build "$build" --target export_generated
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The generated records and three with accented letters, line breaks, quotes, edge blanks,
# numbers in both notations, a text longer than a dBASE field and no text at all.
"$build/bench/export_generated" 997 "$work"
# Debian's own interpreter, which sees the packages installed above.
/usr/bin/python3 "$root/scripts/check_exports.py" "$work"
