#!/usr/bin/env bash
# Installs what is missing, builds the native tintspot and runs it on the current X display; it
# keeps its settings in ~/.config/tintspot/tSpot.ini (or $XDG_CONFIG_HOME/tintspot/).
# With --windows: builds Tintspot.exe and runs it under Wine instead, with its settings
# (tSpot.ini) beside the copy it runs, in build/run/.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" != --windows ]; then
  scripts/install-deps.sh native
  cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build/native --target tintspot -j "$(nproc 2>/dev/null || echo 2)" >/dev/null
  exec build/native/src/x11/tintspot
fi
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
