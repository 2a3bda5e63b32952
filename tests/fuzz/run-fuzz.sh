#!/bin/sh
# Fuzzes a part of the program with libFuzzer under the address and
# undefined-behaviour sanitizers.
#
# Usage: tests/fuzz/run-fuzz.sh TARGET [SECONDS [WORK_DIRECTORY]]
#   TARGET           gif: the GIF decoder, from seeds written by the encoder;
#                    settings: reading tSpot.ini up to the window's start
#   SECONDS          how long to fuzz (default 60)
#   WORK_DIRECTORY   binaries, corpus and crash files (default build/TARGET-fuzz);
#                    the corpus there grows from one run to the next
# With FUZZ_COVERAGE=1 the corpus is afterwards replayed through a coverage
# build and the line and branch coverage of the target's files is printed.
# Needs clang++ with libFuzzer (Debian: clang, libclang-rt-14-dev).
set -eu

target=${1:?usage: run-fuzz.sh gif|settings [SECONDS [WORK_DIRECTORY]]}
seconds=${2:-60}
root=$(cd "$(dirname "$0")/../.." && pwd)
work=${3:-$root/build/$target-fuzz}
cxx=${CXX:-clang++}
flags="-std=c++17 -g -O1 -Wall -Wextra -Werror -I$root/src/core -I$root/tools"
mkdir -p "$work/corpus" "$work/seeds" "$work/crashes"

case $target in
gif)
  sources="$root/src/core/gif_decoder.cpp $root/src/core/pixel_buffer.cpp $root/tools/gif_encoder.cpp"
  covered="$root/src/core/gif_decoder.cpp $root/tools/gif_encoder.cpp"
  max_len=8192 options=
  # shellcheck disable=SC2086  # word splitting of the source and flag lists is intended
  $cxx $flags "$root/tests/fuzz/gif_seeds.cpp" $sources -o "$work/gif_seeds"
  "$work/gif_seeds" "$work/seeds"
  cat > "$work/$target.dict" <<'DICT'
"GIF89a"
"GIF87a"
"\x21\xF9\x04\x01"
"\x21\xFE"
"\x21\xFF\x0BNETSCAPE2.0"
"\x21\x01\x0C"
"\x2C\x00\x00\x00\x00"
"\x3B"
"\x00\x10"
"\xFF\x0F"
DICT
  ;;
settings)
  sources="$(ls "$root"/src/core/*.cpp) $root/tests/fake/fake_platform.cpp"
  covered="$root/src/core/settings_value.cpp $root/src/core/frm_main.cpp $root/src/core/screen_snap.cpp $root/src/core/profile_file.cpp"
  # The version header CMake would write, from project(... VERSION ...).
  version=$(sed -n 's/^project(Tintspot VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
  mkdir -p "$work/generated"
  echo "$version" | awk -F. '{ printf "#pragma once\n#define TINTSPOT_VERSION_MAJOR %s\n#define TINTSPOT_VERSION_MINOR %s\n#define TINTSPOT_VERSION_PATCH %s\n#define TINTSPOT_VERSION \"%s\"\n#define TINTSPOT_VERSION_SHORT \"%s.%s\"\n", $1, $2, $3, $0, $1, $2 }' \
    > "$work/generated/tintspot_version.h"
  flags="$flags -I$root/tests/fake -I$work/generated -DTINTSPOT_ASSETS_DIR=\"$root/assets\""
  # Whole-length inputs from the start: values longer than the reader hands
  # over matter, and libFuzzer's slow length growth would not reach them.
  max_len=4096 options=-len_control=0
  # The committed seeds and corpus: also the starting files of the end-to-end test that
  # compares the core's reader and writer with the profile API.
  cp "$root"/tests/fuzz/settings_corpus/* "$work/seeds/"
  cat > "$work/$target.dict" <<'DICT'
"[General]"
"[Magnifier]"
"X="
"Y="
"onTop="
"Zoom="
"ShowMag="
"\x0D\x0A"
"$"
"0x"
"-2147483648"
"\""
DICT
  ;;
*)
  echo "run-fuzz.sh: unknown target $target (gif or settings)" >&2
  exit 2
  ;;
esac

# shellcheck disable=SC2086
$cxx $flags -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  "$root/tests/fuzz/${target}_fuzz.cpp" $sources -o "$work/${target}_fuzz"

"$work/${target}_fuzz" -max_total_time="$seconds" -max_len=$max_len -timeout=20 $options \
  -dict="$work/$target.dict" -artifact_prefix="$work/crashes/" -print_final_stats=1 \
  "$work/corpus" "$work/seeds"

if [ "${FUZZ_COVERAGE:-${GIF_FUZZ_COVERAGE:-0}}" = 1 ]; then
  # shellcheck disable=SC2086
  $cxx $flags -fsanitize=fuzzer -fprofile-instr-generate -fcoverage-mapping \
    "$root/tests/fuzz/${target}_fuzz.cpp" $sources -o "$work/${target}_fuzz_coverage"
  LLVM_PROFILE_FILE="$work/$target.profraw" "$work/${target}_fuzz_coverage" -runs=0 \
    "$work/corpus" "$work/seeds" > /dev/null 2>&1
  llvm-profdata merge -sparse "$work/$target.profraw" -o "$work/$target.profdata"
  # shellcheck disable=SC2086
  llvm-cov report "$work/${target}_fuzz_coverage" -instr-profile="$work/$target.profdata" $covered
fi
