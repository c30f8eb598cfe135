#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What NDBs gain: for airport pairs spread over the world, the distance
# without reception of the best route by VORs alone and by VORs and NDBs,
# both at the listed route's cruise altitude, and each process's CPU time
# beside the listed route's. Run where the world VORS.MDB is (or give --db
# PATH); MERIDANE_PLAN names the planner (build/tools/plan/meridane-plan).
# Needs jq and GNU time.
set -euo pipefail
plan=${MERIDANE_PLAN:-build/tools/plan/meridane-plan}
db=()
[ "${1:-}" = "--db" ] && db=(--db "$2")

# shellcheck source=world_pairs.sh
source "$(dirname "$0")/world_pairs.sh"
pairs=("${world_pairs[@]}")

# Prints the JSON plan; the run's user and system CPU seconds go to $cpu.
cpu=$(mktemp)
trap 'rm -f "$cpu"' EXIT
run() {
  /usr/bin/time -f '%U %S' -o "$cpu" "$plan" "${db[@]}" --format json "$@" 2>/dev/null
}
ms() { awk '{printf "%d", ($1 + $2) * 1000}' "$cpu"; }

printf '%-10s %7s %9s %9s %9s %8s %8s %8s\n' pair cruise "listed" "VOR" "VOR+NDB" "list ms" "VOR ms" "NDB ms"
total_listed=0 total_vor=0 total_ndb=0 sum_vor=0 sum_ndb=0
for pair in "${pairs[@]}"; do
  from=${pair%:*} to=${pair#*:}
  listed=$(run "$from" "$to") || { echo "$pair: no listed plan"; continue; }
  t_listed=$(ms)
  cruise=$(jq -r .cruise_ft <<<"$listed")
  vor=$(run --route best --cruise "$cruise" "$from" "$to")
  t_vor=$(ms)
  ndb=$(run --route best --navaids vor+ndb --cruise "$cruise" "$from" "$to")
  t_ndb=$(ms)
  u_listed=$(jq -r .uncovered_nm <<<"$listed")
  u_vor=$(jq -r .uncovered_nm <<<"$vor")
  u_ndb=$(jq -r .uncovered_nm <<<"$ndb")
  printf '%-10s %7s %9s %9s %9s %8s %8s %8s\n' "$from-$to" "$cruise" "$u_listed" "$u_vor" "$u_ndb" "$t_listed" "$t_vor" "$t_ndb"
  total_listed=$(( total_listed + t_listed )) total_vor=$(( total_vor + t_vor )) total_ndb=$(( total_ndb + t_ndb ))
  sum_vor=$(awk -v a="$sum_vor" -v b="$u_vor" 'BEGIN {print a + b}')
  sum_ndb=$(awk -v a="$sum_ndb" -v b="$u_ndb" 'BEGIN {print a + b}')
done
echo
echo "uncovered in all: VOR alone $sum_vor nm, VOR and NDB $sum_ndb nm"
echo "CPU in all: listed $total_listed ms, best by VOR $total_vor ms, best by VOR and NDB $total_ndb ms"
