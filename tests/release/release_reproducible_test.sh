#!/usr/bin/env bash
# Two releases of the same commit, built in folders of different names and depths, must be the
# same bytes: the zip, its entries, the Debian package and their sums. Usage: release_reproducible_test.sh REPO
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
# One commit for both: a commit made while the first builds must not change the second.
commit=$(git -C "$repo" rev-parse HEAD)
for place in "$first" "$second"; do
  if ! TMPDIR="$place" "$repo/scripts/release.sh" "$place/dist" "$commit" >"$place/release.log" 2>&1; then
    cat "$place/release.log"
    exit 1
  fi
done
cat "$first/dist/SHA256SUMS"

zip=$(cd "$first/dist" && ls Tintspot-*-win64.zip)
deb=$(cd "$first/dist" && ls tintspot_*_amd64.deb)
cmp "$first/dist/SHA256SUMS" "$second/dist/SHA256SUMS"
cmp "$first/dist/$zip" "$second/dist/$zip"
cmp "$first/dist/$deb" "$second/dist/$deb"
# The sums name both artefacts and the exe, and are theirs; the package holds the program, of
# the zip's version.
(cd "$first/dist" && sha256sum --quiet --check --ignore-missing --strict SHA256SUMS)
[ "$(awk '{print $2}' "$first/dist/SHA256SUMS" | LC_ALL=C sort | tr '\n' ' ')" = "$zip Tintspot.exe $deb " ] ||
  { echo "SHA256SUMS does not name exactly $zip, $deb and Tintspot.exe"; exit 1; }
version=${zip#Tintspot-}
version=${version%-win64.zip}
[ "$(dpkg-deb -f "$first/dist/$deb" Version)" = "$version-1" ] || { echo "the package is not $version-1"; exit 1; }
dpkg-deb -c "$first/dist/$deb" >"$work/contents"
grep -q ' \./usr/bin/tintspot$' "$work/contents" || { echo "no /usr/bin/tintspot"; exit 1; }
# lintian finds no error and no warning in the package (its infos are listed, not failed on).
lintian --info --display-info "$first/dist/$deb" | tee "$work/lintian.log"
if grep -E '^[EW]: ' "$work/lintian.log"; then
  echo "lintian: errors or warnings"
  exit 1
fi
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
echo "identical: $zip, $deb and Tintspot.exe"
