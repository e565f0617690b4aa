#!/bin/sh
# Builds the fuzz targets with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer (clang) and runs each for a bounded time from
# its seed corpus and saved findings, two targets at a time. Fails on any
# crash, sanitizer report, timeout (10 s for one input), memory beyond 1 GB
# or leak.
#
#   tests/fuzz/run_fuzzers.sh [seconds per target, default 60]
#
# New corpus entries stay in <build>/fuzz-work/<target>/corpus; an input that
# fails is saved in <build>/fuzz-work/<target>/artifacts/ and belongs, once
# fixed, in tests/fuzz/regressions/<target>/.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
seconds=${1:-60}
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
targets="profile_data_reader layer_table band_layout run number_format landxml_reader check import_sheets"

cmake -S "$root" -B "$build" -DPROFILE_SHEET_STATIC=OFF -DCMAKE_CXX_COMPILER=clang++ -DPROFILE_SHEET_FUZZERS=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all -fno-omit-frame-pointer" \
  >/dev/null
cmake --build "$build" -j2 --target $(for t in $targets; do printf '%s_fuzzer ' "$t"; done)

# Runs one target; its report goes to fuzz-work/<target>/report and its
# result to fuzz-work/<target>/failed when it fails.
fuzz() {
  t=$1
  work=$build/fuzz-work/$t
  rm -rf "$work/artifacts" "$work/failed"
  mkdir -p "$work/corpus" "$work/artifacts"
  inputs="$work/corpus $here/corpus/$t"
  [ -d "$here/regressions/$t" ] && inputs="$inputs $here/regressions/$t"
  {
    echo "== $t: ${seconds} s"
    # shellcheck disable=SC2086
    if "$build/tests/fuzz/${t}_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
        -max_len=8192 -print_final_stats=1 -artifact_prefix="$work/artifacts/" $inputs \
        >"$work/log" 2>&1; then
      grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$work/log" || true
      echo "corpus: $(ls "$work/corpus" | wc -l) new inputs"
    else
      : >"$work/failed"
      tail -n 40 "$work/log"
      echo "== $t FAILED; inputs: $(ls "$work/artifacts")"
    fi
  } >"$work/report"
}

# Two targets at a time, one per core; the reports follow in target order.
running=0
for t in $targets; do
  fuzz "$t" &
  running=$((running + 1))
  if [ "$running" -eq 2 ]; then
    wait
    running=0
  fi
done
wait

status=0
for t in $targets; do
  cat "$build/fuzz-work/$t/report"
  [ -e "$build/fuzz-work/$t/failed" ] && status=1
done
exit $status
