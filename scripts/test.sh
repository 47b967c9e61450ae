#!/usr/bin/env bash
# Builds everything and runs every test: the release build, then the sanitizer build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" release asan
export QT_QPA_PLATFORM=offscreen
for build in release asan; do
  echo "== tests ($build) =="
  ctest --test-dir "$root/build/$build" --output-on-failure -j2
done
