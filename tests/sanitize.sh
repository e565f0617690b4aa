#!/bin/sh
# Builds the program and every test with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs the whole test suite; any sanitizer
# report stops the offending test and fails the run.
#
#   tests/sanitize.sh [build folder, default build-asan]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-asan}
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"

cmake -S "$root" -B "$build" -DPROFILE_SHEET_STATIC=OFF -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build" -j2
ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$build" --output-on-failure -j2
