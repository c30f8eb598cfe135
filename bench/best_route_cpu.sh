#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What the best route costs beside the listed one: for the airport pairs of
# ndb_gain.sh, the whole planner process's CPU time (perf stat's task clock,
# the median of RUNS runs, 7 unless given) for the listed route, the best
# route by VORs and the best route by VORs and NDBs, both at the listed
# route's cruise, and each best route's ratio to the listed one. Run where
# the world VORS.MDB is (or give --db PATH); MERIDANE_PLAN names the planner
# (build/tools/plan/meridane-plan). Needs jq and perf. The first run of each
# kind fills the station cache, as any earlier use of the planner does.
set -euo pipefail
plan=${MERIDANE_PLAN:-build/tools/plan/meridane-plan}
runs=${RUNS:-7}
db=()
[ "${1:-}" = "--db" ] && db=(--db "$2")

# shellcheck source=world_pairs.sh
source "$(dirname "$0")/world_pairs.sh"
pairs=("${world_pairs[@]}")

# The median task clock, in ms, of $runs runs of the planner with these
# arguments.
cpu_ms() {
  local times=()
  for ((i = 0; i < runs; ++i)); do
    times+=("$(perf stat -x, -e task-clock "$plan" "${db[@]}" --format json "$@" 2>&1 >/dev/null |
      awk -F, '/task-clock/ {print $1}')")
  done
  printf '%s\n' "${times[@]}" | sort -g | awk '{v[NR] = $1} END {printf "%.1f", v[int((NR + 1) / 2)]}'
}

"$plan" "${db[@]}" --format json --route best --navaids vor+ndb KJFK KBOS >/dev/null 2>&1 || true
printf '%-10s %7s %9s %9s %9s %7s %7s\n' pair cruise "list ms" "VOR ms" "NDB ms" "VOR x" "NDB x"
sum_listed=0 sum_vor=0 sum_ndb=0
for pair in "${pairs[@]}"; do
  from=${pair%:*} to=${pair#*:}
  cruise=$("$plan" "${db[@]}" --format json "$from" "$to" 2>/dev/null | jq -r .cruise_ft) || {
    echo "$pair: no listed plan"
    continue
  }
  listed=$(cpu_ms "$from" "$to")
  vor=$(cpu_ms --route best --cruise "$cruise" "$from" "$to")
  ndb=$(cpu_ms --route best --navaids vor+ndb --cruise "$cruise" "$from" "$to")
  awk -v p="$from-$to" -v c="$cruise" -v l="$listed" -v v="$vor" -v n="$ndb" \
    'BEGIN {printf "%-10s %7s %9.1f %9.1f %9.1f %7.2f %7.2f\n", p, c, l, v, n, v / l, n / l}'
  sum_listed=$(awk -v a="$sum_listed" -v b="$listed" 'BEGIN {print a + b}')
  sum_vor=$(awk -v a="$sum_vor" -v b="$vor" 'BEGIN {print a + b}')
  sum_ndb=$(awk -v a="$sum_ndb" -v b="$ndb" 'BEGIN {print a + b}')
done
echo
awk -v l="$sum_listed" -v v="$sum_vor" -v n="$sum_ndb" 'BEGIN {
  printf "CPU in all: listed %.0f ms, best by VOR %.0f ms (%.2fx), best by VOR and NDB %.0f ms (%.2fx)\n",
    l, v, v / l, n, n / l }'
