#!/usr/bin/env bash
# Copies the screenshots the help pages show from the desktop program's screenshot tests
# (run test_gui first) into docs/help/pictures.
# Usage: scripts/help-pictures.sh [build]   (default: release)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
from="$root/build/${1:-release}/gui-pictures"
to="$root/docs/help/pictures"

pictures=(
  advanced_search_initial.png advanced_search_values.png advanced_search_repeats.png
  automated_tasks_wp2.png automated_tasks_wpPreview.png
  card-0.png card-1.png card-3.png
  column_dialog_common.png column_dialog_virtual.png
  export_dialog.png
  main_window_garden.png
  new_table_dialog.png
  options_Main.png options_Search.png
  password_dialog.png
  print_dialog.png
  quick_search_dialog.png
  select_table_dialog.png
  table_properties_columns.png table_properties_options.png table_properties_report.png
)

mkdir -p "$to"
for picture in "${pictures[@]}"; do
  if [ ! -f "$from/$picture" ]; then
    echo "missing $from/$picture: run the screenshot tests (test_gui) first" >&2
    exit 1
  fi
  cp "$from/$picture" "$to/$picture"
done
