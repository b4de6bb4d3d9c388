#!/bin/sh
# Draws the program's pictures with ImageMagick: the eight lamps of the lamp button
# (resources/lamps/<NAME>.png, a round lamp lit from the upper left, drawn at four times the size and
# scaled down for smooth edges) and the program icon (a small wall showing a score).
# Run again after a change; the pictures are committed, so a build needs no ImageMagick.
set -eu
cd "$(dirname "$0")/lamps"
lamp() { # NAME BODY-COLOUR HIGHLIGHT-COLOUR RIM-COLOUR
    convert -size 64x64 -define gradient:center=24,22 -define gradient:radii=44,44 \
        radial-gradient:"$3"-"$2" \
        \( -size 64x64 xc:none -fill white -draw "circle 32,32 32,3" \) \
        -alpha off -compose CopyOpacity -composite \
        -fill none -stroke "$4" -strokewidth 4 -draw "circle 32,32 32,4" \
        -resize 16x16 -strip "PNG32:$1.png"
}
lamp RED      '#c00000' '#ffb0b0' '#600000'
lamp BLUE     '#0000c8' '#b0b0ff' '#000060'
lamp GREEN    '#00b000' '#b0ffb0' '#005000'
lamp YELLOW   '#e0d000' '#ffffc0' '#706000'
lamp MANGENTA '#c000c0' '#ffb0ff' '#600060'
lamp GRAY     '#909090' '#e8e8e8' '#505050'
lamp CYAN     '#00c0c0' '#c0ffff' '#006060'
lamp WHITE    '#f4f4f4' '#ffffff' '#909090'

# Program icon: a dark wall in a grey frame with yellow digits.
convert -size 128x128 xc:none -fill '#505860' -draw "roundrectangle 4,14 123,113 10,10" \
    -fill '#101820' -draw "rectangle 14,24 113,103" \
    -fill '#ffd800' -font DejaVu-Sans-Bold -pointsize 44 -gravity center -annotate +0+0 '2:1' \
    -resize 32x32 -strip PNG32:../BrisalClient.png
