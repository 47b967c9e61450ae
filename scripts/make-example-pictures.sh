#!/usr/bin/env bash
# Draws the pictures of the example table examples/garden.csv with ImageMagick (Debian's
# imagemagick), so that the example holds no photograph of anyone else's. The results are
# kept in the repository; run this again only to change them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/packages.sh"
install_missing_packages imagemagick
convert=/usr/bin/convert
out="$root/examples/pictures"
mkdir -p "$out"

# flower NAME SIZE BACKGROUND PETAL CENTRE: petals around a centre on a gradient.
flower() {
  local name=$1 size=$2 sky=$3 petal=$4 centre=$5
  local w=${size%x*} h=${size#*x}
  local cx=$((w / 2)) cy=$((h / 2)) r=$(( (w < h ? w : h) / 6 ))
  local draw=()
  for angle in 0 60 120 180 240 300; do
    local px py
    px=$(awk -v c="$cx" -v r="$r" -v a="$angle" 'BEGIN { printf "%d", c + 1.4 * r * cos(a * 3.14159 / 180) }')
    py=$(awk -v c="$cy" -v r="$r" -v a="$angle" 'BEGIN { printf "%d", c + 1.4 * r * sin(a * 3.14159 / 180) }')
    draw+=(-fill "$petal" -draw "circle $px,$py $((px + r)),$py")
  done
  "$convert" -size "$size" "gradient:$sky" \
    -fill '#3c8d2f' -draw "rectangle $((cx - r / 6)),$cy $((cx + r / 6)),$h" \
    "${draw[@]}" -fill "$centre" -draw "circle $cx,$cy $((cx + r * 2 / 3)),$cy" \
    -quality 85 "$out/$name"
}

flower rose.jpg 640x480 '#bfe3ff-#fdfdf5' '#d7263d' '#f4d35e'
flower sunflower.jpg 1600x1200 '#89c2f5-#fff7d6' '#f6c026' '#6b3e1f'
flower lavender.png 300x600 '#e6e0ff-#ffffff' '#8e6cc8' '#f1e6ff'
flower daisy.jpg 480x480 '#d8f3dc-#ffffff' '#fafafa' '#f2b705'
# A picture cut short, as a copy interrupted can leave one: the list shows its placeholder.
head -c 2000 "$out/rose.jpg" >"$out/broken.jpg"
