#!/bin/sh
# Fuzzes the GIF decoder: tests/fuzz/run-gif-fuzz.sh [SECONDS [WORK_DIRECTORY]]
# (the same as tests/fuzz/run-fuzz.sh gif ...; GIF_FUZZ_COVERAGE=1 prints the coverage).
exec "$(dirname "$0")/run-fuzz.sh" gif "$@"
