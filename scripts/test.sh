#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Meridane and runs every test. The GUI tests need a display; they get
# a virtual one from xvfb-run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MERIDANE_TEST_BUILD_DIR:-$root/build-test}

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${MERIDANE_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j"$(nproc)" --timeout 300
