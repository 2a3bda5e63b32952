#!/usr/bin/env bash
# The live benchmark: what the running native tintspot and Tintspot.exe cost in CPU (their own
# threads, Xvfb's, and the Wine prefix's wineserver for the exe) while the pointer moves and
# rests, their update rate, latency, start time and footprint, side by side with the native
# floor program and, if installed, gpick. Takes about ten minutes; the figures are printed as
# tables at the end (see README).
#
#   scripts/bench-live.sh [--bin [LABEL=]PATH]... [--exe [LABEL=]PATH]... [--rounds N]
#                         [--seconds S] [--latency-samples N] [--update-seconds S]
#                         [--no-native] [--no-windows] [--no-tintspot] [--no-floor]
#                         [--wine-floor] [--empty-floor] [--getpixel-floor] [--floor-variants]
#                         [--no-gpick] [--turns N]
#
# Without --bin it builds and measures this tree's native tintspot, without --exe this tree's
# Tintspot.exe. Several --bin or --exe are measured in alternating rounds of one run (e.g.
# --bin before=old/tintspot --bin after=build/native/src/x11/tintspot).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh" bench
jobs=$(nproc 2>/dev/null || echo 2)
[ "$jobs" -gt 2 ] && jobs=2
args=("$@")
if ! printf '%s\n' "$@" | grep -qx -e --exe -e --no-windows -e --no-tintspot; then
  (cd "$root" && scripts/build.sh win)
fi
cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build/native" -j "$jobs" --target tintspot_live_bench
exec "$root/build/native/bench/tintspot_live_bench" "${args[@]}"
