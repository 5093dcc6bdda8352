#!/bin/sh
# Draws the two title pictures of the dialogs: the game's name in blue letters with a
# trademark sign, on the dialogs' background colour RGB (193, 182, 150).
#
#   sh tools/make_titles.sh        # writes resources/images/title.jpg (203 x 41)
#                                  #    and resources/images/title_small.jpg (195 x 35)
#
# Needs ImageMagick (convert) and the DejaVu fonts (Debian: imagemagick fonts-dejavu-core).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
out="$here/../resources/images"
fonts=/usr/share/fonts/truetype/dejavu
name_font="$fonts/DejaVuSerifCondensed-BoldItalic.ttf"
sign_font="$fonts/DejaVuSans-Bold.ttf"
background="rgb(193,182,150)"
blue="rgb(28,52,170)"
shade="rgb(10,20,80)"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM
mkdir -p "$out"

# title WIDTH HEIGHT NAME_POINTS SIGN_POINTS FILE
title() {
  width=$1 height=$2 points=$3 sign_points=$4 file=$5
  convert -background none -fill "$blue" -font "$name_font" -pointsize "$points" \
    label:"Karvan Mirk" -trim +repage "$tmp/name.png"
  convert -background none -fill "$blue" -font "$sign_font" -pointsize "$sign_points" \
    label:"™" -trim +repage -bordercolor none -border 2x0 "$tmp/sign.png"
  # the sign stands at the top right of the name, like a superscript
  convert "$tmp/name.png" "$tmp/sign.png" -background none -gravity North +append \
    "$tmp/word.png"
  # a dark copy one pixel down and right gives the letters a printed depth
  convert "$tmp/word.png" -fill "$shade" -colorize 100 "$tmp/shade.png"
  convert -size "${width}x${height}" xc:"$background" \
    "$tmp/shade.png" -gravity center -geometry +1+1 -compose over -composite \
    "$tmp/word.png" -gravity center -geometry +0+0 -compose over -composite \
    -strip -sampling-factor 4:4:4 -quality 95 "$out/$file"
  echo "wrote $out/$file"
}

title 203 41 28 15 title.jpg
title 195 35 26 14 title_small.jpg
