#!/usr/bin/env bash
# Builds the desktop program and starts it; arguments go to the program (a table's data file,
# switches). Without arguments it opens a copy of the sample garden table, made once in
# ~/.local/share/mervanta/examples, so the samples in the project stay as they are.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Build output is shown only when the build fails; the script then stops with a non-zero status.
if ! log=$("$root/scripts/setup.sh" release 2>&1); then
  printf '%s\n' "$log" >&2
  exit 1
fi
if [ $# -eq 0 ]; then
  samples="${XDG_DATA_HOME:-$HOME/.local/share}/mervanta/examples"
  if [ ! -e "$samples/garden.csv" ]; then
    mkdir -p "$samples"
    cp -r "$root/examples/." "$samples/"
  fi
  set -- "$samples/garden.csv"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: start it from a desktop session (or run it under xvfb-run)." >&2
  exit 1
fi
exec "$root/build/release/src/gui/mervanta" "$@"
