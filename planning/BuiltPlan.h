// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flightplan/FlightPlan.h"
#include "map/MapScene.h"

#include <string>

namespace planning {

// A map scene and what it lacks: `note` says why (for the user), empty when
// nothing is missing.
struct SceneResult {
    map::MapScene scene;
    std::string note;
};

// The flight plan of a request and the map scene of that plan.
struct BuiltPlan {
    flightplan::FlightPlan plan;
    SceneResult scene;
};

}  // namespace planning
