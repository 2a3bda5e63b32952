#!/usr/bin/env bash
# Runs the README's test command on a freshly made, minimal Debian 12 (bookworm) root, from a
# clean clone of this repository, as a new user's machine would run it. Prints the test summary
# and the time taken.
#
#   sudo scripts/test-fresh.sh [COMMIT]     COMMIT defaults to HEAD
#
# Needs root and debootstrap; packages come from the Debian mirror this machine already uses
# (or TINTSPOT_FRESH_MIRROR). The root lives in a temporary folder under
# ${TINTSPOT_FRESH_TMP:-/var/tmp} and is removed afterwards unless TINTSPOT_FRESH_KEEP=1.
# The full log is written to fresh-test.log in that folder (kept on failure).
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$repo" rev-parse --verify "${1:-HEAD}^{commit}")

if [ "$(id -u)" -ne 0 ]; then
  echo "test-fresh: run as root (debootstrap and chroot need it)" >&2
  exit 2
fi
command -v debootstrap >/dev/null || {
  echo "test-fresh: debootstrap is missing (apt-get install debootstrap)" >&2
  exit 2
}

# The mirror of this machine's bookworm sources (deb822 or one-line format).
mirror=${TINTSPOT_FRESH_MIRROR:-}
if [ -z "$mirror" ]; then
  mirror=$(grep -hs -A3 '^Types: *deb$' /etc/apt/sources.list.d/*.sources |
    awk '/^URIs:/ {u=$2} /^Suites:.*bookworm( |$)/ && u {print u; exit}')
fi
if [ -z "$mirror" ]; then
  mirror=$(awk '$1 == "deb" && $3 == "bookworm" {print $2; exit}' /etc/apt/sources.list \
    /etc/apt/sources.list.d/*.list 2>/dev/null || true)
fi
mirror=${mirror:-http://deb.debian.org/debian}

work=$(mktemp -d "${TINTSPOT_FRESH_TMP:-/var/tmp}/tintspot-fresh.XXXXXX")
root="$work/root"
log="$work/fresh-test.log"
mounted=()
status=1

cleanup() {
  set +e
  # Processes still running inside the root (a Wine server, an Xvfb) would hold the mounts.
  for p in /proc/[0-9]*; do
    if [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ]; then kill -9 "${p#/proc/}" 2>/dev/null; fi
  done
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}"
  done
  if findmnt -rn -o TARGET | grep -q "^$root/"; then
    echo "test-fresh: mounts remain under $root; not removing it" >&2
  elif [ "$status" -eq 0 ] && [ "${TINTSPOT_FRESH_KEEP:-0}" != 1 ]; then
    rm -rf --one-file-system "$work"
  else
    echo "test-fresh: the root and the log are kept in $work"
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

mount_in_root() { # TYPE SOURCE TARGET [OPTIONS]
  mkdir -p "$root$3"
  if [ "$1" = bind ]; then
    mount --bind "$2" "$root$3"
    # Nothing mounted below it may reach back to the machine's own tree.
    mount --make-private "$root$3"
  else
    mount -t "$1" ${4:+-o "$4"} "$2" "$root$3"
  fi
  mounted+=("$root$3")
}

start=$(date +%s)
echo "test-fresh: commit $commit, mirror $mirror, root $root"
echo "== debootstrap (minimal bookworm)"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$log" 2>&1 || {
  tail -n 20 "$log"
  exit 1
}
echo "deb $mirror bookworm main" >"$root/etc/apt/sources.list"
cp /etc/resolv.conf "$root/etc/resolv.conf"

echo "== clean clone"
git clone -q --no-hardlinks "$repo" "$root/root/tintspot"
git -C "$root/root/tintspot" checkout -q --detach "$commit"

mount_in_root proc proc /proc
mount_in_root bind /dev /dev
mount_in_root bind /dev/pts /dev/pts
mount_in_root tmpfs tmpfs /dev/shm "mode=1777"

echo "== ./scripts/test.sh inside the root (log: $log)"
set +e
# A bare environment, as minimal machines and containers have it: no locale.
chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb \
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  bash -c 'cd /root/tintspot && ./scripts/test.sh' >>"$log" 2>&1
status=$?
set -e
elapsed=$(($(date +%s) - start))

echo "== summary"
grep -E '^== |^\[  (PASSED|FAILED)  \]|tests passed|tests failed|^\s+[0-9]+ - .*\((Failed|Timeout|Not Run|SEGFAULT|Subprocess)|Total Test time' \
  "$log" || tail -n 30 "$log"
[ "$status" -eq 0 ] || tail -n 30 "$log"
printf 'test-fresh: %s after %dm%02ds (exit %d)\n' "$([ $status -eq 0 ] && echo PASSED || echo FAILED)" \
  $((elapsed / 60)) $((elapsed % 60)) "$status"
exit "$status"
