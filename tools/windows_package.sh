#!/usr/bin/env bash
# Cross-builds the programs for 64-bit Windows with mingw-w64 in build-win64/
# and packs the zip for Windows users: build-win64/profile-sheet-<version>-win64.zip.
# Run as root, it first installs what it needs when that is missing; run as
# another user, it names the missing packages and stops.
#
#   bash tools/windows_package.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
. tools/packages.sh

need_packages build-win64/logs/apt.log $WINDOWS_BUILD_PACKAGES
cmake -S . -B build-win64 --toolchain cmake/mingw-w64-x86_64.cmake -DPROFILE_SHEET_TESTS=OFF
cmake --build build-win64 -j2 --target package
echo "packed $(ls build-win64/profile-sheet-*-win64.zip)"
