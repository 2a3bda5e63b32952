#!/usr/bin/env bash
# A long run of the real Tintspot.exe under Xvfb + Wine with the pointer moving, the screen
# changing and the user locking, copying, hiding and showing the magnifier and opening the help
# every few seconds. Samples memory, handles, GDI objects, windows and X resources every 30 s and
# prints a table, a small plot per figure and whether each stayed flat after the warm-up.
# Not part of the test command. Usage: scripts/soak.sh MINUTES [SAMPLE_SECONDS]
# The output also goes to build/soak/soak-DATE.log.
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:?usage: scripts/soak.sh MINUTES [SAMPLE_SECONDS]}
sample_seconds=${2:-30}

scripts/install-deps.sh test
# The X resources of the program's connections are read through the XRes extension.
if ! dpkg-query -W -f='${Status}' libxres-dev 2>/dev/null | grep -q 'install ok installed'; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: libxres-dev"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    libxres-dev >/dev/null
fi

scripts/build.sh win >/dev/null
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native --target soak_run -j 2 >/dev/null

mkdir -p build/soak
log="build/soak/soak-$(date +%Y%m%d-%H%M%S).log"
echo "soak: $minutes min, a sample every $sample_seconds s; log in $log"
build/native/tests/e2e/soak_run "$minutes" "$sample_seconds" 2>&1 | tee "$log"
exit "${PIPESTATUS[0]}"
