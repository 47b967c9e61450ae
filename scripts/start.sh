#!/usr/bin/env bash
# Builds the program and starts it; arguments go to the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" release >/dev/null
if [ $# -eq 0 ]; then set -- --help; fi
exec "$root/build/release/src/cli/mervanta-cli" "$@"
