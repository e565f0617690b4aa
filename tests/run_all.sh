#!/usr/bin/env bash
# The test command: builds the programs with their tests and runs everything,
# for Linux and, cross-built with mingw-w64, for Windows under Wine.
#
#   bash tests/run_all.sh [STEP...]     (default: every step, in this order)
#
# Steps: build, tests, sanitizers, fuzzing, benchmark, windows-build,
# windows-tests, windows-package. First it checks every Debian package the
# steps need and prints the line that installs them; as root it installs the
# missing ones, as another user it names them and stops before building. The
# same for the locales the tests run in (ja_JP.UTF-8, en_US.UTF-8).
#
# The terminal gets the steps and their results; each step's whole output
# goes to build/logs/<step>.log, and apt-get's to build/logs/apt.log. The
# summary line comes last, also when a step fails; the exit status is 1 when
# any step failed. FUZZ_SECONDS (default 60) bounds each fuzz target's run.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
. tools/packages.sh

TEST_PACKAGES="$BUILD_PACKAGES libgtest-dev python3 python3-ezdxf librecad poppler-utils
  clang libclang-rt-14-dev libbenchmark-dev time g++-mingw-w64-x86-64-posix wine64 locales"
ALL_STEPS=(build tests sanitizers fuzzing benchmark windows-build windows-tests windows-package)
LOGS=build/logs
JOBS=2
FUZZ_SECONDS=${FUZZ_SECONDS:-60}

WINDOWS_BUILD=build-win64-test
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
# Before configuring: gtest_discover_tests runs the Windows unit tests at
# build time, and Wine would otherwise make its prefix in the home folder.
export WINEPREFIX=$PWD/$WINDOWS_BUILD/wine
export WINEDEBUG=-all

# --- Helpers; a step's output goes to $log, its results to the terminal.

# Compiler warnings in the step's log fail it: every configuration the test
# command builds stays free of them.
no_warnings() {
  local warnings
  warnings=$(grep -E '^[^ :]+:[0-9]+:[0-9]+: warning: ' "$log" | sort -u || true)
  [[ -z $warnings ]] && return 0
  echo "$(wc -l <<<"$warnings") compiler warnings:"
  head -n 20 <<<"$warnings"
  return 1
}

# The result lines of a CTest run in the step's log.
ctest_result() {
  { grep -E '^[0-9]+% tests passed' "$log" | tail -n 1
    sed -n '/^The following tests FAILED:/,/^Errors while running CTest/p' "$log" | grep -v '^Errors'
    grep -E '^Total Test time' "$log" | tail -n 1
  } || true
}

# Wine started once, its own output kept out of the tests' pipes: otherwise
# the first run leaves Wine's background processes holding a test's standard
# output open, and that run takes seconds or hangs.
start_wine() {
  mkdir -p "$WINEPREFIX"
  stop_wine  # one left over from an interrupted run
  "$WINESERVER" -p
  "$WINE" wineboot -i </dev/null >/dev/null 2>&1
}

stop_wine() {
  [[ -d $WINEPREFIX ]] || return 0
  "$WINESERVER" -k >/dev/null 2>&1 || true  # fails when none runs
  "$WINESERVER" -w
}

# --- Steps.

step_build() {
  cmake -S . -B build -DPROFILE_SHEET_TESTS=ON >>"$log" 2>&1
  cmake --build build -j"$JOBS" >>"$log" 2>&1
  no_warnings
  echo "built in build/"
}

step_tests() {
  local status=0
  ctest --test-dir build --output-on-failure --no-tests=error -j"$JOBS" >>"$log" 2>&1 || status=$?
  ctest_result
  return $status
}

step_sanitizers() {
  local status=0
  sh tests/sanitize.sh >>"$log" 2>&1 || status=$?
  ctest_result
  no_warnings
  return $status
}

step_fuzzing() {
  local status=0
  sh tests/fuzz/run_fuzzers.sh "$FUZZ_SECONDS" >>"$log" 2>&1 || status=$?
  no_warnings
  # One line per target: "== name: 60 s", then libFuzzer's final statistics.
  awk '/^== .*: [0-9]+ s$/ { name = $2; sub(":", "", name) }
       /^stat::number_of_executed_units:/ { runs = $2 }
       /^stat::peak_rss_mb:/ { peak = $2 }
       /^corpus: / { printf "%-20s %9d runs, peak %4d MB, %s new corpus inputs\n", name, runs, peak, $2 }
       / FAILED; inputs:/ { print }' "$log"
  return $status
}

step_benchmark() {
  local status=0
  sh tests/bench/measure.sh >>"$log" 2>&1 || status=$?
  no_warnings
  grep -E '^(Benchmark |[A-Za-z_/]+ +[0-9.]+ [mun]?s |whole run / bare write|whole process:|200 km road|import [0-9]|in /dev/shm|peak memory)' "$log" || true
  return $status
}

step_windows_build() {
  cmake -S . -B "$WINDOWS_BUILD" --toolchain cmake/mingw-w64-x86_64.cmake -DPROFILE_SHEET_TESTS=ON >>"$log" 2>&1
  start_wine
  cmake --build "$WINDOWS_BUILD" -j"$JOBS" >>"$log" 2>&1
  no_warnings
  echo "built in $WINDOWS_BUILD/ with mingw-w64"
}

step_windows_tests() {
  local status=0
  start_wine
  ctest --test-dir "$WINDOWS_BUILD" --output-on-failure --no-tests=error -j"$JOBS" >>"$log" 2>&1 || status=$?
  stop_wine
  ctest_result
  return $status
}

step_windows_package() {
  cmake --build "$WINDOWS_BUILD" --target package >>"$log" 2>&1
  local zip
  for zip in "$WINDOWS_BUILD"/profile-sheet-*-win64.zip; do
    echo "$zip: $(stat -c %s "$zip") bytes"
  done
}

# A step is skipped when the step it builds on failed or was skipped in this run.
requires() {
  case $1 in
    tests) echo build ;;
    windows-tests | windows-package) echo windows-build ;;
  esac
}

# --- The run.

passed=() failed=() skipped=()
started=$SECONDS

duration() { printf '%dm%02ds' $(($1 / 60)) $(($1 % 60)); }

# Processor seconds (user and system) of this shell's finished child
# processes so far, in $cpu_so_far. `times` has to run in this shell: in a
# subshell it would count that subshell's children only.
count_cpu() {
  times >"$LOGS/.times"
  cpu_so_far=$(tail -n 1 "$LOGS/.times" |
    awk '{ split($1, u, /[ms]/); split($2, s, /[ms]/); printf "%d", u[1] * 60 + u[2] + s[1] * 60 + s[2] }')
}

summary() {
  stop_wine
  local total
  count_cpu
  total="$(duration $((SECONDS - started))) (processor time $(duration "$cpu_so_far"))"
  echo
  if ((${#failed[@]} == 0 && ${#skipped[@]} == 0 && ${#passed[@]} > 0)); then
    echo "== summary: all ${#passed[@]} steps passed in $total"
  else
    echo "== summary: FAILED:${failed[*]:+ ${failed[*]}}${skipped[*]:+ (skipped: ${skipped[*]})};" \
         "${#passed[@]} steps passed; $total; logs in $LOGS/"
  fi
}

run_step() {
  local name=$1 number=$2 count=$3 need status began cpu took
  need=$(requires "$name")
  printf '\n== [%d/%d] %s\n' "$number" "$count" "$name"
  if [[ -n $need && " ${failed[*]} ${skipped[*]} " == *" $need "* ]]; then
    echo "skipped: $need did not pass"
    skipped+=("$name")
    return
  fi
  log=$LOGS/$name.log
  : >"$log"
  began=$SECONDS
  count_cpu
  cpu=$cpu_so_far
  # The command that failed goes to the log, so that the tail below shows it.
  (set -eE; trap 'echo "failed: $BASH_COMMAND (status $?)" >>"$log"' ERR; "step_${name//-/_}")
  status=$?
  count_cpu
  took="$(duration $((SECONDS - began))) (processor time $(duration $((cpu_so_far - cpu))))"
  if ((status == 0)); then
    passed+=("$name")
    echo "passed in $took"
  else
    failed+=("$name")
    echo "FAILED in $took; the end of $log:"
    tail -n 30 "$log" | sed 's/^/  | /'
  fi
}

main() {
  local steps=("$@") step i
  ((${#steps[@]} > 0)) || steps=("${ALL_STEPS[@]}")
  for step in "${steps[@]}"; do
    [[ " ${ALL_STEPS[*]} " == *" $step "* ]] || { echo "no step $step; steps: ${ALL_STEPS[*]}"; exit 2; }
  done

  mkdir -p "$LOGS"
  trap summary EXIT
  trap 'exit 130' INT TERM

  echo "== packages"
  echo "needed: $(install_line $TEST_PACKAGES)"
  if [[ -z $(missing_packages $TEST_PACKAGES) ]]; then
    echo "all present"
  elif ! INSTALL_LINE_SHOWN=1 need_packages "$LOGS/apt.log" $TEST_PACKAGES; then
    failed+=(packages)
    exit 1
  fi
  echo "locales: $TEST_LOCALES"
  if ! need_locales "$LOGS/locales.log" $TEST_LOCALES; then
    failed+=(locales)
    exit 1
  fi

  for i in "${!steps[@]}"; do
    run_step "${steps[$i]}" $((i + 1)) ${#steps[@]}
  done
  ((${#failed[@]} == 0 && ${#skipped[@]} == 0))
}

main "$@"
