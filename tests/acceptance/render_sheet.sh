#!/bin/sh
# Draws the example sheet as the README shows it: builds profile-sheet, runs it
# on examples/ in a scratch folder and renders the drawing with ezdxf's drawing
# add-on and matplotlib into docs/sheet.png. Rerun it whenever the example or
# the drawing changes; the picture is never edited by hand.
#   tests/acceptance/render_sheet.sh [build-dir]     (default: build)
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
"$root/tests/acceptance/setup.sh" --render
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" --target profile-sheet -j2 >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root/examples/Tesmo.dat" "$root/examples/GasouT.dat" "$root/examples/temp.cd5" "$work"
(cd "$work" && "$build/profile-sheet")

MPLBACKEND=Agg /usr/bin/python3 "$root/tests/acceptance/render_dxf.py" "$work/Tesmora.dxf" "$root/docs/sheet.png"
