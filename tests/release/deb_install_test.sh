#!/usr/bin/env bash
# The Debian package on a machine that has never seen Tintspot: in a fresh minimal Debian 12
# root, apt installs it with dependencies from Debian's archive alone; the program starts on an
# X server there, shows its window, copies a colour's value on a click and closes; and a purge
# leaves none of its files behind.
#
#   deb_install_test.sh SOURCE_TREE BINARY XDRIVER_CLI VERSION
#
# Needs root and debootstrap (exit 77, skipped, without them). Downloads packages from the
# Debian mirror this machine uses.
set -euo pipefail
src=$(cd "$1" && pwd)
binary=$2
xdriver=$3
version=$4
. "$src/scripts/debian-root.sh"
debian_root_check deb_install_test || exit 77

work=$(mktemp -d "${TINTSPOT_FRESH_TMP:-/var/tmp}/tintspot-install.XXXXXX")
cleanup() {
  set +e
  debian_root_release && rm -rf --one-file-system "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
in_root() { debian_root_run env DEBIAN_FRONTEND=noninteractive "$@"; }
fail() {
  echo "FAILED: $*"
  exit 1
}

"$src/scripts/package-deb.sh" "$src" "$binary" "$version" "$work" >/dev/null
deb=tintspot_${version}-1_amd64.deb

echo "== a fresh Debian 12 root"
debian_root_make "$work/root" "$work/debootstrap.log"
root=$work/root
debian_root_mount_system
cp "$work/$deb" "$root/tmp/"

echo "== apt-get install ./$deb"
in_root apt-get update -qq
in_root apt-get install -y -q "/tmp/$deb" >"$work/install.log" 2>&1 || {
  cat "$work/install.log"
  fail "apt-get could not install the package"
}
grep -E '^(Setting up|Unpacking) ' "$work/install.log" | sed 's/^/  /'
# Every library the binary loads came with the package's dependencies.
missing=$(in_root ldd /usr/bin/tintspot | grep 'not found' || true)
[ -z "$missing" ] || fail "libraries the package does not depend on: $missing"
in_root dpkg-query -L tintspot >"$work/files"

echo "== tintspot on an X server in the root"
# The X server and the driver's libraries, after the package, so they cannot stand in for a
# dependency it lacks.
in_root apt-get install -y -q --no-install-recommends xvfb libxtst6 >"$work/tools.log" 2>&1 || {
  cat "$work/tools.log"
  fail "could not install the X server"
}
install -m 0755 "$xdriver" "$root/usr/local/bin/xdriver_cli"
cat >"$root/tmp/run-tintspot.sh" <<'EOF'
set -euo pipefail
export DISPLAY=:7
Xvfb :7 -screen 0 1024x768x24 -nolisten tcp >/tmp/xvfb.log 2>&1 &
wait_for() { # SECONDS COMMAND...: until COMMAND succeeds
  local end=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.1
  done
}
wait_for 20 xdriver_cli pointer >/dev/null 2>&1 || { echo "no X server"; exit 1; }
cd /root
tintspot &
app=$!
shows() { found=$(xdriver_cli find Tintspot 2>/dev/null | awk 'NR == 1'); [ -n "$found" ]; }
wait_for 20 shows || { echo "no Tintspot window"; exit 1; }
echo "  window: $found"
read -r id geometry _ <<<"$found"
IFS='x+' read -r _ _ x y <<<"$geometry"
# A patch of a known colour beside the window, to sample from.
patch_x=$((x < 512 ? 700 : 100))
xdriver_cli pattern "$patch_x" 300 120 120 336699 600 &
patch=$!
xdriver_cli move $((patch_x + 60)) 360
# The swatch shows the colour under the pointer; a click on the HEX readout copies it.
swatch_is() { [ "$(xdriver_cli pixel $((x + 139)) $((y + 49)))" = "$1" ]; }
copied() { [ "$(xdriver_cli clipboard 2>/dev/null)" = "$1" ]; }
wait_for 10 swatch_is 51,102,153 || { echo "the swatch did not take the patch's colour"; exit 1; }
xdriver_cli move $((x + 72)) $((y + 64))
xdriver_cli click 1
wait_for 10 copied 336699 || { echo "a click on HEX copied '$(xdriver_cli clipboard)'"; exit 1; }
echo "  a click on HEX copied 336699"
xdriver_cli close "$id"
wait "$app" && status=0 || status=$?
echo "  closed, exit status $status"
kill "$patch" 2>/dev/null || true
[ "$status" -eq 0 ]
EOF
in_root bash /tmp/run-tintspot.sh || fail "the program on the X server"

echo "== apt-get purge tintspot"
in_root apt-get purge -y -q tintspot >"$work/purge.log" 2>&1 || {
  cat "$work/purge.log"
  fail "apt-get purge"
}
in_root dpkg-query -W tintspot >/dev/null 2>&1 && fail "dpkg still knows the package after the purge"
left=()
while read -r path; do
  [ -d "$root$path" ] || [ ! -e "$root$path" ] || left+=("$path")
done <"$work/files"
# Anything else of its name: a file made by a maintainer script or a trigger. The settings file
# the program wrote in the user's home belongs to the user, and purges keep it.
mapfile -t -O "${#left[@]}" left < <(cd "$root" && find . -xdev -iname '*tintspot*' \
  -not -path './root/*' -not -path './tmp/*' -not -path './proc/*' | sed 's/^\.//')
[ ${#left[@]} -eq 0 ] || fail "left behind: ${left[*]}"
echo "  no file of the package is left ($(grep -c . "$work/files") paths checked)"
echo "package installs, runs and purges cleanly"
