#!/usr/bin/env bash
# The live benchmark: what the running Tintspot.exe costs in CPU (its own process, the Wine
# prefix's wineserver and Xvfb) while the pointer moves and rests, its update rate and its
# latency, against the floor program and, if installed, gpick. Takes a few minutes; the figures
# are printed as a table at the end (see README).
#
#   scripts/bench-live.sh [--exe [LABEL=]PATH]... [--rounds N] [--seconds S]
#                         [--latency-samples N] [--update-seconds S]
#                         [--no-tintspot] [--no-floor] [--empty-floor] [--getpixel-floor]
#                         [--no-gpick]
#
# Without --exe it builds and measures this tree's Tintspot.exe. Several --exe are measured in
# alternating rounds of one run (e.g. --exe before=old/Tintspot.exe --exe after=new/Tintspot.exe).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh" test
jobs=$(nproc 2>/dev/null || echo 2)
[ "$jobs" -gt 2 ] && jobs=2
args=("$@")
if ! printf '%s\n' "$@" | grep -qx -- --exe; then
  (cd "$root" && scripts/build.sh win)
fi
cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build/native" -j "$jobs" --target tintspot_live_bench
exec "$root/build/native/bench/tintspot_live_bench" "${args[@]}"
