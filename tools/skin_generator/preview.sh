#!/usr/bin/env bash
# Puts the skin together as the window shows it, enlarged, for a look at the
# artwork: on the left the active window with every button up, on the right
# the inactive title with every button pressed or on and the padlock on the
# swatch. The readouts show sample texts in a similar face. Needs
# ImageMagick. Usage: preview.sh ASSETS_FOLDER OUT.png [SCALE%]
set -euo pipefail
skin=$1/skin
out=$2
scale=${3:-400%}

font=$(fc-match -f '%{file}' 'DejaVu Sans' 2>/dev/null || true)
readouts=()
y=28
for text in "812, 455" "51, 102, 153" "#336699" "210, 67, 60" "67, 33, 0, 40"; do
  readouts+=(\( -size 66x13 -background none)
  [ -n "$font" ] && readouts+=(-font "$font")
  readouts+=(-pointsize 7 -fill 'rgb(0,51,128)' -gravity center "label:$text" \)
             -gravity northwest -geometry "+40+$y" -composite)
  y=$((y + 15))
done

window() {  # out title top min close mag help menu [more drawing]
  local out=$1
  shift
  convert -size 171x234 'xc:rgb(240,240,240)' \
    -fill white -stroke 'rgb(129,127,130)' -draw 'rectangle 0,124 170,233' \
    -fill white -stroke 'rgb(122,122,122)' -draw 'rectangle 1,213 169,231' \
    "$skin/imgmain.gif" -geometry +0+19 -composite \
    -stroke none -fill 'rgb(51,102,153)' -draw 'rectangle 115,25 162,72' \
    "$skin/$1.gif" -geometry +0+0 -composite \
    "$skin/$2.gif" -geometry +112+0 -composite \
    "$skin/$3.gif" -geometry +132+0 -composite \
    "$skin/$4.gif" -geometry +152+0 -composite \
    "$skin/$5.gif" -geometry +0+109 -composite \
    "$skin/$6.gif" -geometry +133+109 -composite \
    "$skin/$7.gif" -geometry +152+109 -composite \
    "${readouts[@]}" "${@:8}" "$out"
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
window "$scratch/up.png" imgtitledeact imgtopo imgmin imgclose imgmagu imghelp imgmenu
window "$scratch/down.png" imgheader imgtopd imgmind imgclosed imgmagd imghelpd imgmenud \
  "$skin/imglockwhite.gif" -geometry +135+45 -composite
convert "$scratch/up.png" "$scratch/down.png" -bordercolor 'rgb(90,110,130)' -border 6 +append \
  +repage -scale "$scale" "$out"
