// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flightplan/FlightPlan.h"
#include "map/MapScene.h"

#include <vector>

namespace planning {

// What the map shows of a route: its waypoints in flying order (or just the
// airports chosen so far) and, faintly, the VORs not on it.
map::MapScene sceneOfWaypoints(const std::vector<flightplan::Waypoint>& route,
                                    const std::vector<flightplan::Waypoint>& vors);

// A plan's map: its waypoints among the VORs, and over each leg the
// stretch no beacon reaches as the plan's coverage found it.
map::MapScene sceneOfPlan(const flightplan::FlightPlan& plan, const std::vector<flightplan::Waypoint>& vors);

}  // namespace planning
