#!/usr/bin/env bash
# Starting the desktop program on the generated million-record table until its window shows the
# table, and its peak memory with the table open, against `mervanta-cli info` on the same table:
# whole processes, medians of five runs each, on a virtual X screen (Debian's xvfb, xdotool and
# time). The window is awaited by listening to the X server, which takes no time from the program.
# Usage: bench/desktop_start_bench.sh [BUILD_FOLDER]   (default: build/release)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
source "$root/scripts/packages.sh"
install_missing_packages "${BENCH_PACKAGES[@]}" xvfb xauth xdotool bc

if [ "${INSIDE_X:-}" != 1 ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  "$build/bench/generate_table" 1000000 "$work/million.csv" >/dev/null
  INSIDE_X=1 WORK=$work HOME=$work QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build"
  exit 0
fi

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
now() { date +%s.%N; }

cli_times=() cli_peaks=() gui_times=() gui_peaks=()
for _ in 1 2 3 4 5; do
  start=$(now)
  /usr/bin/time -f "%M" -o "$WORK/cli.mem" "$build/src/cli/mervanta-cli" info "$WORK/million.csv" >/dev/null
  cli_times+=("$(echo "$(now) - $start" | bc)")
  cli_peaks+=("$(tail -n 1 "$WORK/cli.mem")")

  start=$(now)
  /usr/bin/time -f "%M" -o "$WORK/gui.mem" "$build/src/gui/mervanta" "Options=$WORK/settings.xml" \
    "$WORK/million.csv" &
  pid=$!
  window=$("$build/bench/wait_for_window" "Mervanta - million") || {
    echo "mervanta's window did not show" >&2
    exit 1
  }
  gui_times+=("$(echo "$(now) - $start" | bc)")
  xdotool windowfocus --sync "$window" key F10
  wait $pid
  gui_peaks+=("$(tail -n 1 "$WORK/gui.mem")")
done
echo "runs (s): mervanta ${gui_times[*]}; mervanta-cli ${cli_times[*]}"
cli_time=$(printf '%s\n' "${cli_times[@]}" | median)
gui_time=$(printf '%s\n' "${gui_times[@]}" | median)
cli_peak=$(printf '%s\n' "${cli_peaks[@]}" | median)
gui_peak=$(printf '%s\n' "${gui_peaks[@]}" | median)
printf 'start until the table shows   %6.3f s  mervanta-cli info %6.3f s  ratio %5.3f  (goal <= 1.25)\n' \
  "$gui_time" "$cli_time" "$(echo "$gui_time / $cli_time" | bc -l)"
printf 'peak memory with it open      %6d KB mervanta-cli info %6d KB ratio %5.3f  (goal <= 1.15)\n' \
  "$gui_peak" "$cli_peak" "$(echo "$gui_peak / $cli_peak" | bc -l)"
