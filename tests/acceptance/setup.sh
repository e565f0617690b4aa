#!/bin/sh
# Installs, with apt-get and without questions, the Debian packages that the
# acceptance tests need and that are missing: ezdxf for the system python3,
# LibreCAD and poppler's pdftoppm. With --render also what tests/acceptance/
# render_sheet.sh needs: matplotlib and a Japanese font. Does nothing when all
# are present.
set -eu
packages="python3-ezdxf librecad poppler-utils"
[ "${1:-}" = "--render" ] && packages="$packages python3-matplotlib fonts-ipafont-gothic"

missing=""
for package in $packages; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
    missing="$missing $package"
done
[ -z "$missing" ] && exit 0

echo "setup: installing$missing"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends $missing
