#!/bin/sh
# Draws the importer's example as the README shows it: builds
# profile-sheet-import, runs it on examples/landxml/road-sjis.xml in a scratch
# folder, prints its table (in UTF-8, for the README) and renders its two
# sheets, which its curve group crosses, one under the other into
# docs/import-sheets.png. Rerun it whenever the importer or the drawing
# changes; the picture is never edited by hand.
#   tests/acceptance/render_import_sheet.sh [build-dir]     (default: build)
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
"$root/tests/acceptance/setup.sh" --render
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" --target profile-sheet-import -j2 >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root/examples/landxml/road-sjis.xml" "$work"
(cd "$work" && "$build/profile-sheet-import" road-sjis.xml sheets | iconv -f CP932 -t UTF-8)
MPLBACKEND=Agg /usr/bin/python3 "$root/tests/acceptance/render_dxf.py" "$work/sheets/0001/Tesmora.dxf" \
  "$work/sheets/0002/Tesmora.dxf" "$root/docs/import-sheets.png"
