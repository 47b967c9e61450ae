#!/usr/bin/env bash
# Makes the Debian package of the build folder, unpacks it into a temporary folder and runs
# what it installed: the tool's version, the desktop program on a virtual X screen opening
# the sample table by its data file and by its description file, and quitting, after which
# the settings are in the user's configuration folder and not beside the installed program.
# lintian finds no error in the package.
# Usage: package_test.sh BUILD_FOLDER EXAMPLES_FOLDER
set -euo pipefail
build=$1 examples=$2

if [ "${INSIDE_X:-}" != 1 ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  (cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
  deb=$(ls "$work"/package/mervanta_*.deb)
  dpkg-deb -x "$deb" "$work/root"
  version=$("$work/root/usr/bin/mervanta-cli" --version)
  [[ $version == "mervanta-cli "[0-9]* ]] || { echo "unexpected version: $version" >&2; exit 1; }
  # The desktop learns the ".kx" type from the package's description of it.
  update-mime-database "$work/root/usr/share/mime"
  grep -qx 'application/x-mervanta-kx:\*\.kx' "$work/root/usr/share/mime/globs"
  mkdir "$work/tables"
  cp -r "$examples/garden.csv" "$examples/garden.kx" "$examples/pictures" "$work/tables/"
  INSIDE_X=1 WORK=$work HOME=$work XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$examples"
  if [ -e "$work/root/usr/bin/Mervanta.xml" ] || [ ! -s "$work/config/mervanta/Mervanta.xml" ]; then
    echo "the settings were not saved in the configuration folder" >&2
    exit 1
  fi
  if command -v lintian >/dev/null; then
    lintian --fail-on error "$deb"
  fi
  exit 0
fi

source "$(dirname "$0")/../e2e/quit_program.sh"

# Starts the installed program on the file, waits for its window to show the table and
# quits with F10.
open_and_quit() {
  "$WORK/root/usr/bin/mervanta" "$1" &
  local pid=$! window
  window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Mervanta - garden$' | head -n 1)
  xdotool windowfocus --sync "$window"
  quit_program $pid
}

open_and_quit "$WORK/tables/garden.csv"
open_and_quit "$WORK/tables/garden.kx"
