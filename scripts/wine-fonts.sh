#!/usr/bin/env bash
# Puts Wine's own fonts (Debian's fonts-wine, in /usr/share/wine/fonts) into a Wine prefix's
# Fonts folder as links. Debian's Wine 8 does not pick them up from its data folder: a prefix
# without them gives a substitute face (DejaVu Sans) for "Tahoma" and "Small Fonts".
# Files already there are kept. Usage: scripts/wine-fonts.sh PREFIX
set -euo pipefail
prefix=$1
source_dir=/usr/share/wine/fonts
fonts="$prefix/drive_c/windows/Fonts"
# Without fonts-wine there is nothing to link; the e2e font check names the package.
[ -d "$source_dir" ] || exit 0
mkdir -p "$fonts"
for font in "$source_dir"/*; do
  [ -e "$fonts/${font##*/}" ] || ln -s "$font" "$fonts/"
done
