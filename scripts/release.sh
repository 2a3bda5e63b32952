#!/usr/bin/env bash
# Builds the release for both desktops from one clean copy of a commit (default HEAD) and writes
#   OUTDIR/Tintspot-VERSION-win64.zip     Tintspot.exe, README.txt, LICENSE
#   OUTDIR/tintspot_VERSION-1_amd64.deb   the native X11 program's Debian package
#   OUTDIR/SHA256SUMS                     the sums of the zip, the .deb and Tintspot.exe
# (OUTDIR defaults to dist/). The version is the one CMakeLists.txt sets.
#
#   scripts/release.sh [OUTDIR] [COMMIT]
#
# Uncommitted changes are not part of a release. The result depends only on the commit: the
# exe has no link time stamp and no build path, and the zip's entries have a fixed order, the
# commit's time and fixed permissions, so two runs in different folders give the same bytes. The
# native binary is built without the build folder in it, and scripts/package-deb.sh gives every
# file of the package the commit's time.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$repo/dist}
commit=$(git -C "$repo" rev-parse --verify "${2:-HEAD}^{commit}")
mkdir -p "$out"
out=$(cd "$out" && pwd)

if [ -n "$(git -C "$repo" status --porcelain --untracked-files=no)" ]; then
  echo "release: uncommitted changes are left out; building $commit as committed" >&2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/tintspot-release.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/src"
git -C "$repo" archive --format=tar "$commit" | tar -x -C "$work/src"
export SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH=$(git -C "$repo" log -1 --format=%ct "$commit")

echo "== Building Tintspot.exe from $commit"
cmake -S "$work/src" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release >"$work/configure.log" || {
  cat "$work/configure.log"
  exit 1
}
cmake --build "$work/build" -j "$(nproc 2>/dev/null || echo 2)" --target Tintspot >"$work/build.log" || {
  tail -n 40 "$work/build.log"
  exit 1
}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$work/build/CMakeCache.txt")
exe="$work/build/src/win32/Tintspot.exe"
zip_name="Tintspot-$version-win64.zip"

echo "== Packing $zip_name"
python3 - "$exe" "$work/src/docs/windows-readme.txt" "$work/src/LICENSE" "$version" \
  "$SOURCE_DATE_EPOCH" "$out/$zip_name" <<'EOF'
import sys, time, zipfile

exe, readme, licence, version, epoch, target = sys.argv[1:]
# Zip times are local times of at least 1980; the commit's UTC time stands for them.
stamp = max(time.gmtime(int(epoch))[:6], (1980, 1, 1, 0, 0, 0))

def text(path, **values):
    data = open(path, encoding="utf-8").read()
    for key, value in values.items():
        data = data.replace("@" + key + "@", value)
    return data.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")

entries = [
    ("Tintspot.exe", open(exe, "rb").read()),
    ("README.txt", text(readme, VERSION=version)),
    ("LICENSE", text(licence)),
]
with zipfile.ZipFile(target, "w") as archive:
    for name, data in entries:
        info = zipfile.ZipInfo(name, date_time=stamp)
        info.compress_type = zipfile.ZIP_DEFLATED
        info.create_system = 0  # made on "MS-DOS": no Unix owner or mode bits
        info.external_attr = 0x20  # the archive attribute, as Windows' own zips have it
        archive.writestr(info, data, compress_type=zipfile.ZIP_DEFLATED, compresslevel=9)
EOF

echo "== Building the native tintspot"
# With Debian's own hardened flags (stack protector, fortified calls, PIE, full RELRO), as a
# package of the archive is built; and no folder of this build may end up in the binary.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
flags+=" -ffile-prefix-map=$work/src=. -ffile-prefix-map=$work/native=."
cmake -S "$work/src" -B "$work/native" -DCMAKE_BUILD_TYPE=None -DTINTSPOT_E2E=OFF \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_C_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >"$work/native-configure.log" || {
  cat "$work/native-configure.log"
  exit 1
}
cmake --build "$work/native" -j "$(nproc 2>/dev/null || echo 2)" --target tintspot \
  >"$work/native-build.log" 2>&1 || {
  tail -n 40 "$work/native-build.log"
  # The configuration says why it left the program out (libraries missing, for instance).
  grep -i 'not built' "$work/native-configure.log" >&2 || true
  exit 1
}
native_version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$work/native/CMakeCache.txt")
[ "$native_version" = "$version" ] || {
  echo "release: the two builds disagree on the version ($version, $native_version)" >&2
  exit 1
}
deb_name="tintspot_$version-1_amd64.deb"
echo "== Packing $deb_name"
rm -f "$out/$deb_name"
"$work/src/scripts/package-deb.sh" "$work/src" "$work/native/src/x11/tintspot" "$version" "$out" \
  >/dev/null

cp "$exe" "$work/Tintspot.exe"
(cd "$out" && sha256sum "$zip_name" "$deb_name" >SHA256SUMS)
(cd "$work" && sha256sum Tintspot.exe >>"$out/SHA256SUMS")
cat "$out/SHA256SUMS"
