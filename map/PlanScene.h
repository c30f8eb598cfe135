// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flightplan/FlightPlan.h"
#include "map/MapScene.h"

#include <vector>

namespace routemap {

// What the map shows of a plan: its waypoints in flying order (or just the
// airports chosen so far) and, faintly, the VORs not on it.
MapScene sceneOf(const std::vector<flightplan::Waypoint>& route, const std::vector<flightplan::Waypoint>& vors);

// The directory holding the outline files, as the program's data files are
// found (FindDataFile); throws when they are not installed.
std::string outlinesDirectory();

}  // namespace routemap
