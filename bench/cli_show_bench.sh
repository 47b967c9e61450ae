#!/usr/bin/env bash
# Times `mervanta-cli show` of the generated 1M-record table piped to `wc -l` against loading
# the same table in records_bench (LoadText), both in this run, and prints the ratio.
# Usage: bench/cli_show_bench.sh [BUILD_FOLDER]   (default: build/release)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/release}
runs=5
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

"$build/bench/generate_table" 1000000 "$folder/table.csv" >/dev/null

# Seconds of each run of the listing, the first one only warming the file cache.
"$build/src/cli/mervanta-cli" show "$folder/table.csv" | wc -l >/dev/null
times=()
for ((i = 0; i < runs; i++)); do
  start=$(date +%s.%N)
  lines=$("$build/src/cli/mervanta-cli" show "$folder/table.csv" | wc -l)
  end=$(date +%s.%N)
  times+=("$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')")
done
[ "$lines" -eq 1000000 ] || { echo "show printed $lines lines" >&2; exit 1; }
show=$(printf '%s\n' "${times[@]}" | sort -g | sed -n "$(((runs + 1) / 2))p")

load_ms=$("$build/bench/records_bench" --benchmark_filter=LoadText --benchmark_format=json 2>/dev/null |
  sed -n 's/.*"load_ms": *\([0-9.e+-]*\).*/\1/p' | head -1)
[ -n "$load_ms" ] || { echo "records_bench gave no load time" >&2; exit 1; }

awk -v show="$show" -v runs="$runs" -v load="$load_ms" 'BEGIN {
  printf "show | wc -l: %.3f s (median of %d)\nloading in records_bench: %.3f s\nratio: %.2f\n",
    show, runs, load / 1000, show / (load / 1000)
}'
