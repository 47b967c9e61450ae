#!/usr/bin/env bash
# Peak resident memory of `mervanta-cli info` on the generated 1M-record table against the size
# of its data file, the median of several runs, with the time each run took.
# Usage: bench/cli_info_memory_bench.sh [BUILD_FOLDER]   (default: build/release)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/packages.sh"
install_missing_packages "${BENCH_PACKAGES[@]}"
build=${1:-$root/build/release}
runs=5
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

"$build/bench/generate_table" 1000000 "$folder/table.csv" >/dev/null
size=$(stat -c %s "$folder/table.csv")

# The first run only warms the file cache.
"$build/src/cli/mervanta-cli" info "$folder/table.csv" >/dev/null
for ((i = 0; i < runs; i++)); do
  /usr/bin/time -f '%M %e' -o "$folder/time" "$build/src/cli/mervanta-cli" info "$folder/table.csv" \
    >/dev/null
  cat "$folder/time" >>"$folder/times"
done
peak=$(cut -d' ' -f1 "$folder/times" | sort -g | sed -n "$(((runs + 1) / 2))p")
seconds=$(cut -d' ' -f2 "$folder/times" | sort -g | sed -n "$(((runs + 1) / 2))p")

awk -v peak="$peak" -v size="$size" -v seconds="$seconds" -v runs="$runs" 'BEGIN {
  printf "data file: %.1f MB\npeak resident memory of info: %.1f MB (median of %d)\n", size / 1e6,
    peak * 1024 / 1e6, runs
  printf "time of info: %.2f s (median)\nratio to the file size: %.2f (goal: at most 1.30)\n",
    seconds, peak * 1024 / size
}'
