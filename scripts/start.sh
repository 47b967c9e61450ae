#!/usr/bin/env bash
# Builds the program and starts it; arguments go to the program. Without arguments it shows
# the sample table.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" release >/dev/null
if [ $# -eq 0 ]; then set -- show "$root/examples/books.csv"; fi
exec "$root/build/release/src/cli/mervanta-cli" "$@"
