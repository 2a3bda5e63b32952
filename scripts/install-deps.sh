#!/usr/bin/env bash
# Installs the Debian packages Tintspot needs to build, run and test, when
# they are missing. Usage: scripts/install-deps.sh [run|windows|test|bench]
#   run      the native X11 build (scripts/run.sh)
#   windows  the Windows build under Wine (scripts/run.sh --windows)
#   test     both, and everything the tests use
#   bench    what the tests use, and the picker the live benchmark compares with
set -euo pipefail

purpose=${1:-test}
native=(
  cmake g++ make                 # the native build
  fonts-wine                     # Wine's own "Tahoma" and "Small Fonts", the faces the program
                                 # names (without it the Windows build falls back to another face)
  # The native X11 build (src/x11):
  libx11-dev                     # Xlib
  libxext-dev                    # MIT-SHM, the shared-memory screen read
  libxdamage-dev libxfixes-dev   # DAMAGE: no screen read while nothing changed
  libxi-dev                      # XInput 2 raw motion: no pointer query while it rests
  libxrandr-dev libxinerama-dev  # the monitors and the primary one
  libxcursor-dev                 # the program's colour cursors
  libfreetype-dev                # draws the labels in Wine's faces
)
windows=(
  cmake g++ make                 # the native build of the tools
  g++-mingw-w64-x86-64           # cross-compiler for Tintspot.exe
  wine wine64                    # runs Tintspot.exe on Linux
  fonts-wine
  # X extensions Wine loads at run time when present (only recommended by Debian's Wine):
  libxrandr2 libxinerama1        # monitors and their work areas
  libxcursor1                    # the program's colour cursors
  libxrender1                    # anti-aliased text and alpha-blended drawing
  libxi6 libxfixes3              # raw pointer input, clipboard and cursor tracking
  libxcomposite1 libxxf86vm1     # child-window composition, display gamma and modes
)
case "$purpose" in
  run) packages=("${native[@]}") ;;
  windows) packages=("${windows[@]}") ;;
  test | bench) packages=("${native[@]}" "${windows[@]}") ;;
  *) echo "usage: $0 [run|windows|test|bench]" >&2; exit 2 ;;
esac
if [ "$purpose" = test ] || [ "$purpose" = bench ]; then
  packages+=(
    libgtest-dev libbenchmark-dev  # unit tests and benchmarks
    clang-format                   # the formatting check of the C++ sources
    git                            # the release check builds from a clean copy of the commit
    xvfb                           # a private X display for the end-to-end tests
    openbox                        # a window manager for the end-to-end tests of a desktop
    xserver-xorg-core xserver-xorg-video-dummy  # an X server with two monitors side by side
    libx11-dev libxtst-dev         # the X test driver (pointer, keys, pixels)
    xclip                          # reads the X clipboard back, and owns it for the native e2e tests
    imagemagick                    # screenshots of the running window
    python3                        # the independent reference of the colour model
    fonts-dejavu-core fonts-dejavu-extra  # the skin generator, whose output is checked
                                   # against the committed pictures
    # The Linux package's files (desktop entry, metainfo, man page) and the package itself:
    desktop-file-utils appstream man-db  # their validators
    dpkg-dev                       # dpkg-shlibdeps, dpkg-gencontrol: package-deb.sh's tools
    lintian                        # checks the released package
    debootstrap                    # the fresh Debian 12 roots of the package's install test
  )
fi
if [ "$purpose" = bench ]; then
  packages+=(gpick)              # the live benchmark's comparison with a native picker
fi

missing=()
declare -A listed=()
for p in "${packages[@]}"; do
  [ -n "${listed[$p]:-}" ] && continue
  listed[$p]=1
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
