# shellcheck shell=bash
# Makes a minimal Debian 12 (bookworm) root, as a new user's machine or a container starts out,
# and takes it down again. Sourced by scripts/test-fresh.sh and the package's install test:
#
#   . scripts/debian-root.sh
#   debian_root_make ROOT LOG     debootstrap into ROOT (log to LOG), apt pointed at the mirror
#   debian_root_mount TYPE SOURCE TARGET [OPTIONS]   mounts into the root; bind mounts private
#   debian_root_run COMMAND...    runs COMMAND in the root, in a bare environment (no locale)
#   debian_root_release           ends what still runs in the root and unmounts; fails while a
#                                 mount remains (then the root must not be removed)
#
# Needs root and debootstrap. Packages come from the Debian mirror this machine already uses,
# or TINTSPOT_FRESH_MIRROR; only bookworm's main archive, nothing else, is in the root's sources.

debian_root_mounts=()
debian_root=""

debian_root_check() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "$1: run as root (debootstrap and chroot need it)" >&2
    return 2
  fi
  command -v debootstrap >/dev/null || {
    echo "$1: debootstrap is missing (apt-get install debootstrap)" >&2
    return 2
  }
}

# The mirror of this machine's bookworm sources (deb822 or one-line format).
debian_root_mirror() {
  local mirror=${TINTSPOT_FRESH_MIRROR:-}
  if [ -z "$mirror" ]; then
    mirror=$(grep -hs -A3 '^Types: *deb$' /etc/apt/sources.list.d/*.sources |
      awk '/^URIs:/ {u=$2} /^Suites:.*bookworm( |$)/ && u {print u; exit}')
  fi
  if [ -z "$mirror" ]; then
    mirror=$(awk '$1 == "deb" && $3 == "bookworm" {print $2; exit}' /etc/apt/sources.list \
      /etc/apt/sources.list.d/*.list 2>/dev/null || true)
  fi
  echo "${mirror:-http://deb.debian.org/debian}"
}

debian_root_make() { # ROOT LOG
  debian_root=$1
  local mirror
  mirror=$(debian_root_mirror)
  debootstrap --variant=minbase bookworm "$debian_root" "$mirror" >"$2" 2>&1 || {
    tail -n 20 "$2"
    return 1
  }
  echo "deb $mirror bookworm main" >"$debian_root/etc/apt/sources.list"
  cp /etc/resolv.conf "$debian_root/etc/resolv.conf"
}

debian_root_mount() { # TYPE SOURCE TARGET [OPTIONS]
  mkdir -p "$debian_root$3"
  if [ "$1" = bind ]; then
    mount --bind "$2" "$debian_root$3"
    # Nothing mounted below it may reach back to the machine's own tree.
    mount --make-private "$debian_root$3"
  else
    mount -t "$1" ${4:+-o "$4"} "$2" "$debian_root$3"
  fi
  debian_root_mounts+=("$debian_root$3")
}

# /proc, /dev and a shared-memory folder, which an X server and apt need.
debian_root_mount_system() {
  debian_root_mount proc proc /proc
  debian_root_mount bind /dev /dev
  debian_root_mount bind /dev/pts /dev/pts
  debian_root_mount tmpfs tmpfs /dev/shm "mode=1777"
}

debian_root_run() {
  chroot "$debian_root" /usr/bin/env -i HOME=/root TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

debian_root_release() {
  [ -n "$debian_root" ] || return 0
  local p i
  # Processes still running inside the root (a Wine server, an X server) would hold the mounts.
  for p in /proc/[0-9]*; do
    if [ "$(readlink "$p/root" 2>/dev/null)" = "$debian_root" ]; then
      kill -9 "${p#/proc/}" 2>/dev/null
    fi
  done
  for ((i = ${#debian_root_mounts[@]} - 1; i >= 0; i--)); do
    umount "${debian_root_mounts[i]}" 2>/dev/null || umount -l "${debian_root_mounts[i]}"
  done
  debian_root_mounts=()
  if findmnt -rn -o TARGET | grep -q "^$debian_root/"; then
    echo "mounts remain under $debian_root; not removing it" >&2
    return 1
  fi
}
