#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets Meridane up on a Debian machine and starts it: installs the packages,
# builds, installs the program for this user (~/.local, with its desktop
# entry), imports the navigation database into the user's data directory and
# opens the main window there. Safe to run again.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
build=$root/build
navdata=${MERIDANE_NAVDATA:-$root/navdata}
prefix=${MERIDANE_PREFIX:-$HOME/.local}
datadir=${XDG_DATA_HOME:-$HOME/.local/share}/meridane

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"
cmake --install "$build" --prefix "$prefix" >/dev/null

mkdir -p "$datadir"
ils=()
[ -f "$navdata/xplane/nav.dat.gz" ] && ils=(--xplane-nav "$navdata/xplane/nav.dat.gz")
"$prefix/bin/meridane-navdb" --ourairports "$navdata/ourairports" "${ils[@]}" --output "$datadir/VORS.MDB"
echo "Navigation database: $datadir/VORS.MDB (course.txt is written there too)"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$prefix/bin/meridane-launch"
fi
echo "No display to open the window on; a first look from the terminal instead:"
cd "$datadir"
"$prefix/bin/meridane-plan" KJFK KBOS
