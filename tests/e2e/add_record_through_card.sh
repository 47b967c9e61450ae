#!/usr/bin/env bash
# A person's first minutes with the desktop program, on a virtual X screen: start it on a copy
# of the sample table, add a record through the card, save with Ctrl+S and quit with F10. The
# data file then holds the new record after the others, and nothing else changed.
# Usage: add_record_through_card.sh PROGRAM EXAMPLES_FOLDER
set -euo pipefail
program=$1
examples=$2

if [ "${INSIDE_X:-}" != 1 ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  cp "$examples/books.csv" "$examples/books.kx" "$work/"
  cp "$work/books.csv" "$work/before.csv"
  INSIDE_X=1 WORK=$work HOME=$work XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$program" "$examples"
  # The record is appended: the old lines first, unchanged, then exactly one more.
  old_lines=$(wc -l <"$work/before.csv")
  new_lines=$(wc -l <"$work/books.csv")
  if [ "$new_lines" -ne $((old_lines + 1)) ]; then
    echo "expected $((old_lines + 1)) lines, found $new_lines" >&2
    cat "$work/books.csv" >&2
    exit 1
  fi
  head -n "$old_lines" "$work/books.csv" | cmp - "$work/before.csv"
  tail -n 1 "$work/books.csv" | grep -q "Dune;Frank Herbert;1965" || {
    echo "the new record is not the last line:" >&2
    tail -n 1 "$work/books.csv" >&2
    exit 1
  }
  echo "added: $(tail -n 1 "$work/books.csv")"
  exit 0
fi

source "$(dirname "$0")/quit_program.sh"
"$program" "Options=$WORK/settings.xml" "$WORK/books.csv" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

# Waits for a window whose title is exactly the text, and gives it the keyboard.
focus() {
  local window
  window=$(timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1)
  xdotool windowfocus --sync "$window"
  sleep 0.3
}

focus "Mervanta - books"
xdotool key F5
focus "New Record"
# The counter is filled in; the first field to type in is the title.
xdotool type --delay 20 "Dune"
xdotool key Down
xdotool type --delay 20 "Frank Herbert"
xdotool key Down
xdotool type --delay 20 "1965"
xdotool key Return
sleep 0.5
# With the adding mode the card stays open for the next record.
if xdotool search --onlyvisible --name "^New Record\$" >/dev/null 2>&1; then
  xdotool key Escape
fi
focus "Mervanta - books"
xdotool key ctrl+s
sleep 0.5
quit_program $pid
