#!/usr/bin/env bash
# Builds the Windows release from a clean copy of a commit (default HEAD) and writes
#   OUTDIR/Tintspot-VERSION-win64.zip   Tintspot.exe, README.txt, LICENSE
#   OUTDIR/SHA256SUMS                   the sums of the zip and of Tintspot.exe
# (OUTDIR defaults to dist/). The version is the one CMakeLists.txt sets.
#
#   scripts/release.sh [OUTDIR] [COMMIT]
#
# Uncommitted changes are not part of a release. The result depends only on the commit: the
# exe has no link time stamp and no build path, and the zip's entries have a fixed order, the
# commit's time and fixed permissions, so two runs in different folders give the same bytes.
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

cp "$exe" "$work/Tintspot.exe"
(cd "$out" && sha256sum "$zip_name" >SHA256SUMS)
(cd "$work" && sha256sum Tintspot.exe >>"$out/SHA256SUMS")
cat "$out/SHA256SUMS"
