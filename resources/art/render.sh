#!/usr/bin/env bash
# render.sh RSVG CONVERT PALETTE KIND SOURCE.svg OUT.ppm [MASK.ppm]
# Renders one picture at the size its SVG declares and reduces it to its colour depth, as a
# binary PPM for tavo2-artpack. KIND:
#   256     at most 256 colours: the picture's own, plus every colour listed in PALETTE kept exact
#   16      the sixteen colours of the classic desktop palette
#   2       black and white
#   sprite  a picture for the fishing scene and, in MASK.ppm, its mask, both from the SVG's
#           transparency: the mask is black where the picture shows and white elsewhere, and the
#           picture is black wherever the mask is white (drawn as mask AND, then picture OR)
# No dithering anywhere: flat colours stay flat, and equal colours stay equal between pictures.
set -euo pipefail
rsvg=$1 convert=$2 palette=$3 kind=$4 svg=$5 out=$6 mask=${7:-}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$rsvg" "$svg" -o "$tmp/rgba.png"

keep=()
while read -r colour _; do
  case "$colour" in "#"??????) keep+=("xc:$colour") ;; esac
done < "$palette"
# Reduces the image in the sequence to at most 256 colours that include the kept ones.
reduce=(\( +clone +dither -colors $((256 - ${#keep[@]})) -unique-colors -size 1x1 "${keep[@]}" +append
        -unique-colors -write mpr:palette +delete \) +dither -remap mpr:palette)

case "$kind" in
  256) "$convert" "$tmp/rgba.png" -background white -alpha remove -alpha off "${reduce[@]}" \
         -depth 8 "ppm:$out" ;;
  16) "$convert" "$tmp/rgba.png" -background white -alpha remove -alpha off \
        \( -size 1x1 xc:#000000 xc:#800000 xc:#008000 xc:#808000 xc:#000080 xc:#800080 xc:#008080 \
           xc:#c0c0c0 xc:#808080 xc:#ff0000 xc:#00ff00 xc:#ffff00 xc:#0000ff xc:#ff00ff xc:#00ffff \
           xc:#ffffff +append -write mpr:palette +delete \) \
        +dither -remap mpr:palette -depth 8 "ppm:$out" ;;
  2) "$convert" "$tmp/rgba.png" -background white -alpha remove -alpha off -colorspace gray \
       -threshold 50% -colorspace sRGB -type TrueColor -depth 8 "ppm:$out" ;;
  sprite)
    [ -n "$mask" ] || { echo "render.sh: a sprite needs a mask file" >&2; exit 2; }
    # Opaque where at least half covered; the picture's colours are reduced before the mask
    # blackens the rest, and black is one of the kept colours, so the count stays within 256.
    "$convert" "$tmp/rgba.png" -alpha extract -threshold 50% -type TrueColor -depth 8 "ppm:$tmp/shows.ppm"
    "$convert" "$tmp/shows.ppm" -negate -depth 8 "ppm:$mask"
    "$convert" "$tmp/rgba.png" -background black -alpha remove -alpha off "${reduce[@]}" \
      "$tmp/shows.ppm" -compose Multiply -composite -depth 8 "ppm:$out" ;;
  *) echo "render.sh: unknown kind $kind" >&2; exit 2 ;;
esac
