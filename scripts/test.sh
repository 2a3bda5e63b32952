#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the unit
# tests once more under AddressSanitizer and UBSan, then the whole CTest
# suite (unit tests, tool tests, the reference check and the end-to-end
# tests of Tintspot.exe under Xvfb and Wine). Ends with CTest's summary.
# Before building, it checks that the C++ sources are formatted as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
. scripts/utf8-locale.sh
# Our own builds treat every warning as an error; a user's build does not.
export TINTSPOT_WERROR=ON

echo "== Formatting (clang-format --dry-run)"
unformatted=()
while IFS= read -r -d '' f; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || unformatted+=("$f")
done < <(find src tests tools bench -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "These files are not formatted as .clang-format says:" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  echo "Format them with: clang-format -i FILE..." >&2
  exit 1
fi

scripts/build.sh all
jobs=$(nproc 2>/dev/null || echo 2)

echo "== Unit tests under AddressSanitizer and UBSan"
cmake -S . -B build/sanitize -DTINTSPOT_SANITIZE=ON -DTINTSPOT_E2E=OFF -DTINTSPOT_WERROR=ON \
      -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/sanitize -j "$jobs" --target unit_tests
# The sweep over all colours is left to the optimised run below.
build/sanitize/tests/unit/unit_tests --gtest_brief=1 \
  --gtest_filter='-ColourModel.AllColoursAreWellFormedAndMatchTheFingerprint'

echo "== All tests"
cd build/native
ctest --output-on-failure --timeout 900
