#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the configured meridane-launch (argument 1) from an install tree whose
# program is a stand-in that reports its working directory, the database it
# finds there and its arguments.
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
mkdir -p "$prefix/bin" "$prefix/share/meridane" "$work/home"
cp "$1" "$prefix/bin/meridane-launch"
cat > "$prefix/bin/meridane" <<'STANDIN'
#!/bin/sh
echo "$(pwd) $(cat VORS.MDB) $*"
STANDIN
chmod +x "$prefix/bin/meridane-launch" "$prefix/bin/meridane"
echo shipped > "$prefix/share/meridane/VORS.MDB"
userdir="$work/home/.local/share/meridane"

check() {
  out=$(HOME="$work/home" XDG_DATA_HOME="" "$prefix/bin/meridane-launch" --arg)
  if [ "$out" != "$userdir $1 --arg" ]; then
    echo "expected '$userdir $1 --arg', got '$out'" >&2
    exit 1
  fi
}

check shipped
# The user's own database, as meridane-navdb rebuilds it, is kept on later
# starts even when an upgrade ships a newer one.
echo rebuilt > "$userdir/VORS.MDB"
echo upgraded > "$prefix/share/meridane/VORS.MDB"
check rebuilt
left=$(ls -A "$userdir")
[ "$left" = VORS.MDB ] || { echo "left in the data directory: $left" >&2; exit 1; }
