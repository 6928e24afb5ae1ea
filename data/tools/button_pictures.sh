#!/bin/sh
# Draws the three button pictures of the statistics item selector into
# data/program/ (16 x 16 GIFs, transparent background) and the class-boundary
# handle of the statistics map window (Slider.bmp, 11 x 15, 24-bit BMP on the
# preview's white). Run once by hand with ImageMagick; the pictures are
# committed, so building needs neither.
set -e
out=${1:-$(dirname "$0")/../program}
# Arrows: a navy head and shaft.
convert -size 16x16 xc:none +antialias -fill '#1f3c88' -stroke '#1f3c88' \
  -draw 'polygon 1,8 8,1 8,5 14,5 14,11 8,11 8,15' "$out/ArrowLeft.gif"
convert -size 16x16 xc:none +antialias -fill '#1f3c88' -stroke '#1f3c88' \
  -draw 'polygon 14,8 7,1 7,5 1,5 1,11 7,11 7,15' "$out/ArrowRight.gif"
# A pocket calculator: grey body, green display, dark keys.
convert -size 16x16 xc:none +antialias \
  -fill '#8a8a8a' -stroke '#404040' -draw 'rectangle 2,0 13,15' \
  -fill '#b8e0b0' -stroke '#404040' -draw 'rectangle 4,2 11,5' \
  -fill '#303030' -stroke none \
  -draw 'rectangle 4,7 5,8' -draw 'rectangle 7,7 8,8' -draw 'rectangle 10,7 11,8' \
  -draw 'rectangle 4,10 5,11' -draw 'rectangle 7,10 8,11' -draw 'rectangle 10,10 11,11' \
  -draw 'rectangle 4,13 5,14' -draw 'rectangle 7,13 8,14' -fill '#c04020' -draw 'rectangle 10,13 11,14' \
  "$out/Calc.gif"
# A slider handle: a grey pentagon pointing down at the class bound, with a
# dark outline and a light grip line.
convert -size 11x15 xc:white +antialias \
  -fill '#c8c8c8' -stroke '#404040' -draw 'polygon 0,0 10,0 10,9 5,14 0,9' \
  -stroke '#f4f4f4' -draw 'line 5,2 5,8' \
  -type TrueColor BMP3:"$out/Slider.bmp"
