#!/usr/bin/env bash
# Installs what is missing, builds Tintspot.exe and runs it under Wine on the
# current X display. The program keeps its settings (tSpot.ini) beside the
# copy it runs, in build/run/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
. scripts/utf8-locale.sh
scripts/build.sh win
mkdir -p build/run
cp build/win/src/win32/Tintspot.exe build/run/
export WINEPREFIX=${WINEPREFIX:-$HOME/.local/share/tintspot/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Preparing a Wine prefix in $WINEPREFIX (once)..."
  mkdir -p "$WINEPREFIX"
  WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=" wine wineboot --init >/dev/null 2>&1
fi
scripts/wine-fonts.sh "$WINEPREFIX"
cd build/run
exec wine ./Tintspot.exe
