#!/usr/bin/env bash
# Installs what is missing, builds Tintspot and runs it on the current X display.
#   scripts/run.sh            the native X11 build, build/app/src/x11/tintspot
#   scripts/run.sh --windows  Tintspot.exe under Wine
# The native program keeps its settings in ~/.config/tintspot/tSpot.ini (in $XDG_CONFIG_HOME
# when set); the Windows one keeps tSpot.ini beside the copy it runs, in build/run/.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != --windows ]; then
  scripts/install-deps.sh run
  # A build of the program alone: no tests, so none of their packages are needed.
  cmake -S . -B build/app -DCMAKE_BUILD_TYPE=Release -DTINTSPOT_TESTS=OFF >/dev/null
  cmake --build build/app --target tintspot -j "$(nproc 2>/dev/null || echo 2)"
  exec build/app/src/x11/tintspot
fi

scripts/install-deps.sh windows
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
