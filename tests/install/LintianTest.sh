#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Packs this build as the Debian package scripts/build-deb.sh makes (less the
# world database, whose import takes minutes) and lets Debian's package
# checker judge it: any error or warning fails.
# Usage: LintianTest.sh BUILD_DIR
set -eu
build=$1
if ! command -v lintian >/dev/null 2>&1; then
  echo "lintian is not installed (scripts/install-deps.sh installs it): package not checked"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work" -D CPACK_PACKAGING_INSTALL_PREFIX=/usr >"$work/cpack.log" 2>&1) || {
  cat "$work/cpack.log"
  exit 1
}
deb=$(ls "$work"/*.deb)
echo "lintian $(basename "$deb")"
status=0
report=$(lintian --fail-on error,warning "$deb" 2>&1) || status=$?
# Root is warned against but changes nothing in a binary package's checks.
printf '%s\n' "$report" | grep -v 'running with root privileges' || true
exit $status
