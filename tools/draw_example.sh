#!/usr/bin/env bash
# Builds the programs (no tests) in build/ and draws the bundled example
# into examples/Tesmora.dxf. Run as root, it first installs what building
# needs when it is missing (cmake, make, g++); run as another user, it names
# the missing packages and stops.
#
#   bash tools/draw_example.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
. tools/packages.sh

need_packages build/logs/apt.log $BUILD_PACKAGES
# A build folder configured before (with or without tests) is built as it is;
# a new one gets the programs alone, which need neither GoogleTest nor Python.
if [[ ! -f build/CMakeCache.txt ]]; then
  cmake -S . -B build -DPROFILE_SHEET_TESTS=OFF
fi
cmake --build build --target programs -j2
(cd examples && ../build/profile-sheet)
echo "drew examples/Tesmora.dxf"
