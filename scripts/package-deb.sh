#!/usr/bin/env bash
# Builds the Debian package of the native program with Debian's own tools.
#
#   scripts/package-deb.sh SOURCE_TREE BINARY VERSION OUTDIR
#
# SOURCE_TREE is a clean copy of the commit (the packaging files, icons and licence come from
# it), BINARY the built `tintspot`. Writes OUTDIR/tintspot_VERSION-1_amd64.deb. With
# SOURCE_DATE_EPOCH set (release.sh takes it from the commit), every time stamp in the package
# is that time, so two builds of one commit give the same bytes.
set -euo pipefail
src=$(cd "$1" && pwd)
binary=$2
version=$3
out=$(cd "$4" && pwd)
epoch=${SOURCE_DATE_EPOCH:-$(date +%s)}
export SOURCE_DATE_EPOCH=$epoch
id=example.chromawright.tintspot

work=$(mktemp -d "${TMPDIR:-/tmp}/tintspot-deb.XXXXXX")
trap 'rm -rf "$work"' EXIT
# dpkg-shlibdeps and dpkg-gencontrol work on a source folder with a debian/ folder in it.
pkg=$work/src
root=$pkg/debian/tintspot
mkdir -p "$pkg/debian"
subst() {
  sed -e "s/@VERSION@/$version/g" \
      -e "s/@DATE@/$(date -u -d "@$epoch" +%Y-%m-%d)/g" \
      -e "s/@RFC2822DATE@/$(LC_ALL=C date -u -d "@$epoch" -R)/g" "$1"
}
cp "$src/packaging/debian/control" "$pkg/debian/control"
subst "$src/packaging/debian/changelog" >"$pkg/debian/changelog"

install -D -m 0755 "$binary" "$root/usr/bin/tintspot"
strip --strip-unneeded --remove-section=.comment --remove-section=.note "$root/usr/bin/tintspot"
install -D -m 0644 "$src/packaging/$id.desktop" "$root/usr/share/applications/$id.desktop"
subst "$src/packaging/$id.metainfo.xml" >"$work/metainfo.xml"
install -D -m 0644 "$work/metainfo.xml" "$root/usr/share/metainfo/$id.metainfo.xml"
for size in 16 32 48 256; do
  install -D -m 0644 "$src/assets/icon/tintspot-$size.png" \
    "$root/usr/share/icons/hicolor/${size}x$size/apps/$id.png"
done
subst "$src/packaging/tintspot.1" | gzip -9n >"$work/tintspot.1.gz"
install -D -m 0644 "$work/tintspot.1.gz" "$root/usr/share/man/man1/tintspot.1.gz"
install -D -m 0644 "$src/packaging/debian/copyright" "$root/usr/share/doc/tintspot/copyright"
install -D -m 0644 "$src/packaging/debian/lintian-overrides" \
  "$root/usr/share/lintian/overrides/tintspot"
gzip -9nc "$pkg/debian/changelog" >"$work/changelog.Debian.gz"
install -D -m 0644 "$work/changelog.Debian.gz" "$root/usr/share/doc/tintspot/changelog.Debian.gz"

(cd "$pkg" && dpkg-shlibdeps -Tdebian/tintspot.substvars debian/tintspot/usr/bin/tintspot 2>&1 \
  | grep -v 'binaries to analyze should already be installed' >&2 || true)
mkdir -p "$root/DEBIAN"
(cd "$root" && find usr -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum >DEBIAN/md5sums)
chmod 0644 "$root/DEBIAN/md5sums"
(cd "$pkg" && dpkg-gencontrol -ptintspot -Tdebian/tintspot.substvars -Pdebian/tintspot)
# Every file and folder gets the commit's time; dpkg-deb sorts the entries itself.
find "$root" -exec touch --no-dereference --date="@$epoch" {} +
deb="$out/tintspot_${version}-1_amd64.deb"
dpkg-deb --root-owner-group -Zxz --build "$root" "$deb" >/dev/null
echo "$deb"
