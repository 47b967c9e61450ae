#!/usr/bin/env bash
# Renders the application icon's PNG sizes from its SVG drawing with rsvg-convert (Debian's
# librsvg2-bin). The results are kept in the repository; run this again after changing the
# drawing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/packages.sh"
install_missing_packages librsvg2-bin
icons="$root/data/icons/hicolor"
name=io.github.mervanta.Mervanta
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "$icons/${size}x${size}/apps"
  rsvg-convert -w "$size" -h "$size" "$icons/scalable/apps/$name.svg" \
    -o "$icons/${size}x${size}/apps/$name.png"
done
