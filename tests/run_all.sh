#!/usr/bin/env bash
# Builds profile-sheet in build/ and runs every test; exits non-zero when a step fails.
# usage: bash tests/run_all.sh
# Each step is a function; main runs them in order. To add a step, write its function
# and list it in main.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

BUILD_DIR=build
JOBS=2

step() { printf '\n== %s\n' "$*"; }

# Installs those of the named Debian packages that are not installed yet.
need_packages() {
  command -v dpkg-query >/dev/null || return 0
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' || missing+=("$package")
  done
  ((${#missing[@]} == 0)) && return 0
  if [[ $(id -u) -ne 0 ]]; then
    echo "missing packages: ${missing[*]}; install them as root" >&2
    return 1
  fi
  step "installing ${missing[*]}"
  if [[ -z ${APT_UPDATED:-} ]]; then
    apt-get update -qq
    APT_UPDATED=1
  fi
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
}

install_prerequisites() {
  step "prerequisites"
  # The acceptance tests read the drawings back with ezdxf and LibreCAD.
  need_packages cmake make g++ libexpat1-dev libgtest-dev python3 python3-ezdxf librecad poppler-utils
}

configure() {
  step "configure $BUILD_DIR"
  cmake -S . -B "$BUILD_DIR"
}

build() {
  step "build"
  cmake --build "$BUILD_DIR" -j"$JOBS"
}

run_tests() {
  step "tests"
  ctest --test-dir "$BUILD_DIR" --output-on-failure --no-tests=error -j"$JOBS" | tee "$BUILD_DIR/ctest.log"
}

sanitizers() {
  step "the whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer (build-asan)"
  sh tests/sanitize.sh
}

fuzzing() {
  step "fuzzing: each target for 60 s (build-fuzz)"
  need_packages clang libclang-rt-14-dev
  sh tests/fuzz/run_fuzzers.sh 60
}

benchmark() {
  step "cost of the largest input (build-bench)"
  need_packages libbenchmark-dev time
  sh tests/bench/measure.sh
}

# The suite's result stands last, where a reader of the log looks for it.
summary() {
  step "summary"
  grep -E 'tests passed|tests failed' "$BUILD_DIR/ctest.log" | tail -n 1
}

main() {
  install_prerequisites
  configure
  build
  run_tests
  sanitizers
  fuzzing
  benchmark
  summary
}

main "$@"
