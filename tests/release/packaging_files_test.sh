#!/usr/bin/env bash
# The Linux package's desktop entry, AppStream metainfo and man page, checked with the tools a
# software centre and Debian's lintian use: desktop-file-validate, appstreamcli and man's own
# warnings. Usage: packaging_files_test.sh SOURCE_TREE
set -euo pipefail
src=$1/packaging
id=example.chromawright.tintspot
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0

desktop-file-validate "$src/$id.desktop" || status=1
# The release fills in the version and the date.
sed 's/@VERSION@/1.0.0/;s/@DATE@/2026-01-01/' "$src/$id.metainfo.xml" >"$scratch/$id.metainfo.xml"
appstreamcli validate --no-net --pedantic "$scratch/$id.metainfo.xml" | tee "$scratch/as.log"
# Infos are kept (the id's domain is the maker's own under a reserved top-level name);
# warnings, errors and pedantic notes are not.
if grep -E '^[EWP]:' "$scratch/as.log"; then status=1; fi
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$src/$id.metainfo.xml" || {
  echo "the metainfo does not launch $id.desktop"
  status=1
}
sed 's/@VERSION@/1.0.0/;s/@DATE@/2026-01-01/' "$src/tintspot.1" >"$scratch/tintspot.1"
warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' man --warnings -E UTF-8 -l -Tutf8 "$scratch/tintspot.1" 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "$warnings"; status=1; }
[ "$status" -eq 0 ] && echo "packaging files valid"
exit "$status"
