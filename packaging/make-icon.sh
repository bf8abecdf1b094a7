#!/bin/bash
# Draws the menu icon once from the game's own artwork; its outputs are committed beside it.
# The mark is the title plate's solved 4 x 4 puzzle (assets/dlgs/4.png), drawn large on the
# dialog granite (assets/dlgs/1.png, a seamless tile) inside a rounded black frame.
# Needs ImageMagick 6 (convert). Run from anywhere: packaging/make-icon.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
assets=$here/../assets

cells=(1011 1111 0110 1001)
draw=""
for r in 0 1 2 3; do
    for c in 0 1 2 3; do
        x=$((28 + c * 52))
        y=$((28 + r * 52))
        if [ "${cells[r]:c:1}" = 1 ]; then fill="#FFD91F"; else fill="#282828"; fi
        draw+=" fill $fill rectangle $x,$y $((x + 43)),$((y + 43))"
    done
done

convert -size 256x256 "tile:$assets/dlgs/1.png" -alpha set \
    \( -size 256x256 xc:none -fill white -draw "roundrectangle 0,0 255,255 36,36" \) \
    -compose DstIn -composite -compose Over \
    -fill none -stroke black -strokewidth 6 -draw "roundrectangle 3,3 252,252 33,33" \
    -stroke none -draw "$draw" \
    -depth 8 -strip "$here/morvek-256.png"
convert "$here/morvek-256.png" -filter Lanczos -resize 48x48 -depth 8 -strip "$here/morvek-48.png"
