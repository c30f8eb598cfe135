#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package build-deb/meridane_<version>_<architecture>.deb:
# a Release build installed under /usr, with the world navigation database
# imported at packaging time from the repository's snapshot in navdata/ (or
# the directory named by MERIDANE_NAVDATA). Install it with
#   sudo apt-get install ./build-deb/meridane_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MERIDANE_DEB_BUILD_DIR:-$root/build-deb}
navdata=${MERIDANE_NAVDATA:-$root/navdata}

if [ ! -d "$navdata/ourairports" ]; then
  echo "build-deb.sh: no navigation source data in $navdata (set MERIDANE_NAVDATA)" >&2
  exit 1
fi
navdata=$(cd "$navdata" && pwd)

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DMERIDANE_BUILD_TESTS=OFF -DMERIDANE_PACKAGE_DATABASE=ON -DMERIDANE_NAVDATA_DIR="$navdata" >/dev/null
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/meridane_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/meridane_*.deb)
dpkg-deb --field "$deb" Package Version Architecture Depends
echo "Built $deb"
