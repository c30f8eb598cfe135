#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, running and testing Meridane
# need. Does nothing when they are all present, so it is cheap to repeat.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  unixodbc unixodbc-dev odbcinst libsqliteodbc
  libsqlite3-dev sqlite3 zlib1g-dev libglib2.0-dev libcurl4-openssl-dev python3
  libgeographiclib-dev nlohmann-json3-dev libcairo2-dev
  libgtest-dev gpsbabel libxml2-utils poppler-utils
  libwxgtk3.2-dev
  xvfb xauth xdg-utils libxtst-dev
  dpkg-dev file desktop-file-utils appstream lintian help2man man-db
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
