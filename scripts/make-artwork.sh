#!/usr/bin/env bash
# Draws the program's own artwork with ImageMagick: the about box's logo (a JPEG, decoded by libjpeg at run
# time) and the tool bar icons of "Go to" and "Format text". Run from the project root; the results are
# committed under resources/.
set -euo pipefail
cd "$(dirname "$0")/.."

# Logo: a blue tile with a white Z made of three strokes, and four "text lines" wrapping beside it.
convert -size 96x96 gradient:'#2a5db0'-'#163a78' \
  -fill none -stroke '#ffffff' -strokewidth 9 -draw "line 22,24 70,24" -draw "line 70,24 26,72" -draw "line 26,72 74,72" \
  -stroke '#ffd24a' -strokewidth 3 -draw "line 14,86 82,86" \
  -quality 92 resources/logo.jpg

# Go to: an arrow pointing at a line.
convert -size 16x16 xc:none -fill none -stroke '#1f4f9f' -strokewidth 2 \
  -draw "line 2,8 11,8" -draw "line 8,4 12,8" -draw "line 8,12 12,8" -stroke '#333333' -strokewidth 1 \
  -draw "line 14,2 14,14" resources/icons/goto.png

# Format text: lines of falling length, the last one wrapped.
convert -size 16x16 xc:none -fill none -stroke '#333333' -strokewidth 1 \
  -draw "line 1,3 14,3" -draw "line 1,6 14,6" -draw "line 1,9 10,9" -stroke '#1f4f9f' \
  -draw "line 3,12 12,12" -draw "line 12,12 12,9" resources/icons/format.png

# The launcher icon: drawn as SVG (resources/desktop/zefraed.svg, the logo's tile and Z), rendered here to the
# PNG sizes desktops without an SVG loader use; the 256 one is also the window icon.
for size in 48 128 256; do
  mkdir -p resources/desktop/hicolor/${size}x${size}
  convert -background none -density 300 resources/desktop/zefraed.svg -resize ${size}x${size} -depth 8 \
    -define png:exclude-chunks=date,time resources/desktop/hicolor/${size}x${size}/zefraed.png
done
