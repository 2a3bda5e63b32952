#!/usr/bin/env bash
# Builds the native core, tools and tests (build/native) and Tintspot.exe
# (build/win/src/win32/Tintspot.exe). Usage: scripts/build.sh [native|win|all]
# With TINTSPOT_WERROR=ON in the environment, warnings stop the build.
set -euo pipefail
cd "$(dirname "$0")/.."
what=${1:-all}
jobs=$(nproc 2>/dev/null || echo 2)
werror=()
if [ -n "${TINTSPOT_WERROR:-}" ]; then werror=(-DTINTSPOT_WERROR="$TINTSPOT_WERROR"); fi

if [ "$what" = all ] || [ "$what" = win ]; then
  cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
        -DCMAKE_BUILD_TYPE=Release "${werror[@]}" >/dev/null
  cmake --build build/win -j "$jobs"
fi
if [ "$what" = all ] || [ "$what" = native ]; then
  cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo "${werror[@]}" >/dev/null
  cmake --build build/native -j "$jobs"
fi
