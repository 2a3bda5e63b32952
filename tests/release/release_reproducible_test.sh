#!/usr/bin/env bash
# Two releases of the same commit, built in folders of different names and depths, must be the
# same bytes: the zip, its entries and their sums. Usage: release_reproducible_test.sh REPO
set -euo pipefail
repo=$1
if ! git -C "$repo" rev-parse --verify -q HEAD >/dev/null; then
  echo "not a git checkout: nothing to release from"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
first="$work/a"
second="$work/second/build/place"
mkdir -p "$first" "$second"
for place in "$first" "$second"; do
  if ! TMPDIR="$place" "$repo/scripts/release.sh" "$place/dist" >"$place/release.log" 2>&1; then
    cat "$place/release.log"
    exit 1
  fi
done
cat "$first/dist/SHA256SUMS"

zip=$(cd "$first/dist" && ls Tintspot-*-win64.zip)
cmp "$first/dist/SHA256SUMS" "$second/dist/SHA256SUMS"
cmp "$first/dist/$zip" "$second/dist/$zip"
# The zip holds the three files in this order, and the exe in it is the one the sums name.
python3 - "$first/dist/$zip" "$first/dist/SHA256SUMS" <<'PY'
import hashlib, sys, zipfile
archive = zipfile.ZipFile(sys.argv[1])
names = archive.namelist()
assert names == ["Tintspot.exe", "README.txt", "LICENSE"], names
sums = dict(reversed(line.split()) for line in open(sys.argv[2]))
exe = archive.read("Tintspot.exe")
assert exe[:2] == b"MZ", "Tintspot.exe is not a Windows executable"
assert hashlib.sha256(exe).hexdigest() == sums["Tintspot.exe"], "the exe's sum differs"
assert "tSpot.ini" in archive.read("README.txt").decode(), "README.txt does not name tSpot.ini"
PY
echo "identical: $zip and Tintspot.exe"
