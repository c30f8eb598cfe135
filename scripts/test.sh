#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Meridane and runs every test. The GUI tests need a display; they get
# a virtual one from xvfb-run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# The build ./setup.sh made, where there is one and no other options are
# asked for: the tests need nothing else, and a second full build takes as
# long as the first.
if [ -n "${MERIDANE_TEST_BUILD_DIR:-}" ]; then
  build=$MERIDANE_TEST_BUILD_DIR
elif [ -z "${MERIDANE_CMAKE_ARGS:-}" ] && [ -f "$root/build/CMakeCache.txt" ]; then
  build=$root/build
else
  build=$root/build-test
fi

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${MERIDANE_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j"$(nproc)" --timeout 300
