#!/usr/bin/env bash
# Runs the README's test command on a freshly made, minimal Debian 12 (bookworm) root, from a
# clean clone of this repository, as a new user's machine would run it. Prints the test summary
# and the time taken.
#
#   sudo scripts/test-fresh.sh [COMMIT]     COMMIT defaults to HEAD
#
# Needs root and debootstrap; the root is made by scripts/debian-root.sh, from the Debian mirror
# this machine already uses (or TINTSPOT_FRESH_MIRROR). The root lives in a temporary folder under
# ${TINTSPOT_FRESH_TMP:-/var/tmp} and is removed afterwards unless TINTSPOT_FRESH_KEEP=1.
# The full log is written to fresh-test.log in that folder (kept on failure).
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$repo" rev-parse --verify "${1:-HEAD}^{commit}")

. "$repo/scripts/debian-root.sh"
debian_root_check test-fresh || exit 2
mirror=$(debian_root_mirror)

work=$(mktemp -d "${TINTSPOT_FRESH_TMP:-/var/tmp}/tintspot-fresh.XXXXXX")
root="$work/root"
log="$work/fresh-test.log"
status=1

cleanup() {
  set +e
  if ! debian_root_release; then
    echo "test-fresh: not removing $work" >&2
  elif [ "$status" -eq 0 ] && [ "${TINTSPOT_FRESH_KEEP:-0}" != 1 ]; then
    rm -rf --one-file-system "$work"
  else
    echo "test-fresh: the root and the log are kept in $work"
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

start=$(date +%s)
echo "test-fresh: commit $commit, mirror $mirror, root $root"
echo "== debootstrap (minimal bookworm)"
debian_root_make "$root" "$log"

echo "== clean clone"
git clone -q --no-hardlinks "$repo" "$root/root/tintspot"
git -C "$root/root/tintspot" checkout -q --detach "$commit"

debian_root_mount_system

echo "== ./scripts/test.sh inside the root (log: $log)"
set +e
# A bare environment, as minimal machines and containers have it: no locale.
debian_root_run bash -c 'cd /root/tintspot && ./scripts/test.sh' >>"$log" 2>&1
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
