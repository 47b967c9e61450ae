#!/usr/bin/env bash
# Builds the program and starts it; arguments go to the program. Without arguments it shows
# the sample table.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Build output is shown only when the build fails; the script then stops with a non-zero status.
if ! log=$("$root/scripts/setup.sh" release 2>&1); then
  printf '%s\n' "$log" >&2
  exit 1
fi
if [ $# -eq 0 ]; then set -- show "$root/examples/books.csv"; fi
exec "$root/build/release/src/cli/mervanta-cli" "$@"
