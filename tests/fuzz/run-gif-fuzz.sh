#!/bin/sh
# Fuzzes the GIF decoder with libFuzzer under the address and
# undefined-behaviour sanitizers, starting from seeds written by the encoder.
#
# Usage: tests/fuzz/run-gif-fuzz.sh [SECONDS [WORK_DIRECTORY]]
#   SECONDS          how long to fuzz (default 60)
#   WORK_DIRECTORY   binaries, corpus and crash files (default build/gif-fuzz);
#                    the corpus there grows from one run to the next
# With GIF_FUZZ_COVERAGE=1 the corpus is afterwards replayed through a
# coverage build and the decoder's line and branch coverage is printed.
# Needs clang++ with libFuzzer (Debian: clang, libclang-rt-14-dev).
set -eu

seconds=${1:-60}
root=$(cd "$(dirname "$0")/../.." && pwd)
work=${2:-$root/build/gif-fuzz}
cxx=${CXX:-clang++}
sources="$root/src/core/gif_decoder.cpp $root/src/core/pixel_buffer.cpp $root/tools/gif_encoder.cpp"
flags="-std=c++17 -g -O1 -Wall -Wextra -Werror -I$root/src/core -I$root/tools"

mkdir -p "$work/corpus" "$work/seeds" "$work/crashes"
# shellcheck disable=SC2086  # word splitting of the source and flag lists is intended
$cxx $flags -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  "$root/tests/fuzz/gif_fuzz.cpp" $sources -o "$work/gif_fuzz"
# shellcheck disable=SC2086
$cxx $flags "$root/tests/fuzz/gif_seeds.cpp" $sources -o "$work/gif_seeds"
"$work/gif_seeds" "$work/seeds"

cat > "$work/gif.dict" <<'DICT'
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

"$work/gif_fuzz" -max_total_time="$seconds" -max_len=8192 -timeout=20 \
  -dict="$work/gif.dict" -artifact_prefix="$work/crashes/" -print_final_stats=1 \
  "$work/corpus" "$work/seeds"

if [ "${GIF_FUZZ_COVERAGE:-0}" = 1 ]; then
  # shellcheck disable=SC2086
  $cxx $flags -fsanitize=fuzzer -fprofile-instr-generate -fcoverage-mapping \
    "$root/tests/fuzz/gif_fuzz.cpp" $sources -o "$work/gif_fuzz_coverage"
  LLVM_PROFILE_FILE="$work/gif.profraw" "$work/gif_fuzz_coverage" -runs=0 \
    "$work/corpus" "$work/seeds" > /dev/null 2>&1
  llvm-profdata merge -sparse "$work/gif.profraw" -o "$work/gif.profdata"
  llvm-cov report "$work/gif_fuzz_coverage" -instr-profile="$work/gif.profdata" \
    "$root/src/core/gif_decoder.cpp" "$root/tools/gif_encoder.cpp"
fi
