#!/bin/sh
# Cost of the whole run on the largest accepted input: in memory, the
# benchmark (time per run, output bytes per second, the bare write of the
# same bytes and their ratio); from outside, the whole process against cp of
# its drawing (medians of 30 alternating pairs, goal at most 2); and the peak
# memory of profile-sheet on that input (/usr/bin/time -v, must stay under
# 8 MB). Fails when the benchmark cannot run or the memory goal is missed;
# the time ratios are reported only, as they depend on the machine's load.
# Then the importer on a 200 km road against cp -r of the set it writes
# (measure_import.py; goal: under a second, reported only), on the disk's
# temporary folder and again in /dev/shm.
#
#   tests/bench/measure.sh [build folder, default build-bench]
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build-bench}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target profile-sheet profile-sheet-import write_largest_input run_bench whole_process
"$build/tests/bench/run_bench" --benchmark_min_time=2 --benchmark_color=false

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/tests/bench/write_largest_input" "$work"
"$build/tests/bench/whole_process" "$work" 30 "$build/profile-sheet"
python3 "$root/tests/bench/measure_import.py" "$build/profile-sheet-import" 11
# The same in memory, where the disk's writeback does not weigh on either side.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  echo "in /dev/shm:"
  python3 "$root/tests/bench/measure_import.py" "$build/profile-sheet-import" 11 /dev/shm
fi
(cd "$work" && /usr/bin/time -v "$build/profile-sheet" 2>"$work/time.log")
peak=$(sed -n 's/.*Maximum resident set size (kbytes): *//p' "$work/time.log")
echo "peak memory of profile-sheet on the largest input: $peak kB (goal: under 8192 kB)"
[ "$peak" -lt 8192 ]
