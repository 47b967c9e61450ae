#!/usr/bin/env bash
# Kills mervanta-cli at random moments while it changes a table (add, delete, column delete,
# column move, sort, task, passwd in turn) and checks that the table then opens with its old
# content or its new one, never a mix: first as a reader sees it (show), then byte for byte
# after an opening for writing has repaired it, with nothing else left in its folder.
# Prints how many kills there were, how many left the old table, the new one, and failures.
# Usage: scripts/kill-saves.sh [KILLS] [RECORDS] [BUILD_FOLDER]
#        (default: 200 kills of a 200,000-record table, build/release)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kills=${1:-200}
records=${2:-200000}
build=${3:-$root/build/release}
cli="$build/src/cli/mervanta-cli"
[ -x "$cli" ] || { echo "no $cli: build it with scripts/setup.sh release" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The protected table that passwd makes opens with the same password as the plain one.
export MERVANTA_PASSWORD=secret MERVANTA_CODEPAGE=1252 MERVANTA_OEMCP=850

options=(--options /nonexistent/Mervanta.xml --quiet)
m() { "$cli" "${options[@]}" "$@"; }
now() { date +%s%N; }
# What a reader sees of the table in folder $1: its columns and records.
seen() { m show "$1/t.csv" --format csv --header 2>&1 | md5sum | cut -d' ' -f1; }
pair() { cat "$1/t.csv" "$1/t.kx" | md5sum | cut -d' ' -f1; }
fresh() {
  rm -rf "$1" && mkdir "$1" && cp "$work/base/t.csv" "$work/base/t.kx" "$1/"
}

mkdir "$work/base"
m new "$work/base/t.csv" No Name City Amount Notes
awk -v n="$records" 'BEGIN {
  for (i = 1; i <= n; i++)
    printf "%d;Name %d;City %d;%d.%02d;\"notes; with \"\"quotes\"\" %d\"\r\n",
           i, (i * 7919) % n, i % 977, (i * 31) % 100000, i % 100, i
}' >"$work/base/t.csv"

commands=(
  "add @ Added Someone Somewhere 1.00 new"
  "delete @ 1 5 9 1000"
  "column @ delete City"
  "column @ move Amount 1"
  "sort @ --by Name --desc"
  "task @ 4 --column Notes"
  "passwd @ --new secret"
)

# The old table, and for each command the new one and how long the command runs.
fresh "$work/old"
old_seen=$(seen "$work/old")
old_pair=$(pair "$work/old")
start=$(now)
m info "$work/old/t.csv" >/dev/null
load=$(($(now) - start))
new_seen=() new_pair=() duration=()
for command in "${commands[@]}"; do
  fresh "$work/new"
  start=$(now)
  # shellcheck disable=SC2086
  m ${command//@/$work/new/t.csv}
  duration+=($(($(now) - start)))
  new_seen+=("$(seen "$work/new")")
  new_pair+=("$(pair "$work/new")")
done

old_count=0 new_count=0 failures=0
for ((i = 0; i < kills; i++)); do
  c=$((i % ${#commands[@]}))
  table="$work/kill"
  fresh "$table"
  # Mostly while saving: from a little before the table is loaded to the end of the command.
  delay=$(awk -v load="$load" -v all="${duration[c]}" -v r="$RANDOM" 'BEGIN {
    from = load * 0.8; span = all - from; if (span < 0) span = 0
    printf "%.4f", (from + span * r / 32767) / 1e9 }')
  # The tool itself in the background, not a shell running it, so that the kill reaches it.
  # shellcheck disable=SC2086
  "$cli" "${options[@]}" ${commands[c]//@/$table/t.csv} >/dev/null 2>&1 &
  pid=$!
  sleep "$delay"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true

  # What the reader saw must be the state the files are repaired to (passwd changes only
  # how the records are stored, so either state looks the same).
  read_state=mixed
  case "$(seen "$table")" in
    "$old_seen") read_state=old ;;
    "${new_seen[c]}") read_state=new ;;
  esac
  [ "$old_seen" != "${new_seen[c]}" ] || [ "$read_state" = mixed ] || read_state=either
  # An opening for writing that changes nothing repairs what the kill left.
  m option "$table/t.csv" NoTrim N >/dev/null 2>&1 || true
  state=mixed
  case "$(pair "$table")" in
    "$old_pair") state=old ;;
    "${new_pair[c]}") state=new ;;
  esac
  leftovers=$(find "$table" -mindepth 1 ! -name t.csv ! -name t.kx | wc -l)
  if [ "$state" = mixed ] || [ "$leftovers" -ne 0 ] ||
    { [ "$read_state" != "$state" ] && [ "$read_state" != either ]; }; then
    failures=$((failures + 1))
    echo "kill $i (${commands[c]%% *} after ${delay}s): read $read_state, files $state," \
      "$leftovers other files" >&2
  elif [ "$state" = old ]; then
    old_count=$((old_count + 1))
  else
    new_count=$((new_count + 1))
  fi
done

echo "kills: $kills  old: $old_count  new: $new_count  failures: $failures"
[ "$failures" -eq 0 ]
