#!/bin/sh
# Renders the program's icon sizes from data/icons/sondex.svg (ImageMagick).
set -e
cd "$(dirname "$0")/../data/icons"
for size in 16 22 24 32 48 64 128 256; do
    convert -background none -density 300 sondex.svg -resize "${size}x${size}" "PNG32:sondex-${size}.png"
done
