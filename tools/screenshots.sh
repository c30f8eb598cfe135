#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Screenshots of Meridane on the world navigation database, under a virtual
# X display of 1280 by 800 pixels with a window manager (so that the captions
# show): the airport selection dialog on KJFK, the main window at its default
# size with the routes KJFK to KBOS, EGLL to LFPG and KJFK to KLAX, and the
# About box.
#
#   tools/screenshots.sh [OUTPUT_DIR]
#
# BUILD_DIR names the build directory (default build-ui, then build);
# MERIDANE_WORLD_DB the world database (default: VORS.MDB of the build
# directory, then /tmp/VORS.MDB). Needs xvfb-run, openbox and ImageMagick's
# import (Debian: xvfb xauth openbox imagemagick).
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-}
if [ -z "$build" ]; then
    for candidate in "$root/build-ui" "$root/build"; do
        if [ -x "$candidate/tests/ui/meridane_screenshots" ]; then build=$candidate; break; fi
    done
fi
driver="$build/tests/ui/meridane_screenshots"
[ -x "$driver" ] || { echo "screenshots: build the target meridane_screenshots first" >&2; exit 1; }

db=${MERIDANE_WORLD_DB:-}
if [ -z "$db" ]; then
    for candidate in "$build/VORS.MDB" "$root/build/VORS.MDB" /tmp/VORS.MDB; do
        if [ -f "$candidate" ]; then db=$candidate; break; fi
    done
fi
[ -n "$db" ] && [ -f "$db" ] || { echo "screenshots: no world database; set MERIDANE_WORLD_DB" >&2; exit 1; }

for tool in xvfb-run openbox import; do
    command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing" >&2; exit 1; }
done

out=${1:-$build/screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ln -s "$(cd "$(dirname "$db")" && pwd)/$(basename "$db")" "$work/VORS.MDB"

cd "$work"
MERIDANE_ODBCSYSINI="$build/odbc" xvfb-run -a -s "-screen 0 1280x800x24" \
    sh -c 'openbox >/dev/null 2>&1 & sleep 1; "$0" "$1"' "$driver" "$out"
