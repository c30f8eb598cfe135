#!/usr/bin/env bash
# Sets Meridane up on a Debian machine and runs it: installs the packages,
# builds, imports the navigation database into the user's data directory
# and starts the program there. Safe to run again.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
build=$root/build
navdata=${MERIDANE_NAVDATA:-$root/../shared/navdata}
datadir=${XDG_DATA_HOME:-$HOME/.local/share}/meridane

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"

mkdir -p "$datadir"
ils=()
[ -f "$navdata/xplane/nav.dat.gz" ] && ils=(--xplane-nav "$navdata/xplane/nav.dat.gz")
"$build/tools/navdb/meridane-navdb" --ourairports "$navdata/ourairports" "${ils[@]}" \
  --output "$datadir/VORS.MDB"

cd "$datadir"
echo "Navigation database: $datadir/VORS.MDB"
"$build/tools/plan/meridane-plan" "${1:-KJFK}" "${2:-KBOS}"
