// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flightplan/FlightPlan.h"
#include "kneeboard/Paper.h"
#include "map/MapScene.h"
#include "map/Outlines.h"

#include <string>

namespace kneeboard {

// What the navlog needs besides the plan: the paper, and the map of its last
// page (the scene holds the route and the beacons around it).
struct KneeboardInputs {
    Paper paper = Paper::A5;
    // Without outlines the map shows the route and beacons on the sea's
    // colour alone rather than no map at all.
    const map::Outlines* outlines = nullptr;
    map::MapScene scene;
    // Which navigation data the plan was made with ("Navigation data:
    // OurAirports of ..."), under the plan's facts; "" for nothing.
    std::string navData = std::string();
};

// The navlog to clip to a kneeboard, as a vector PDF in portrait: the route,
// date, cruise, airspeed, wind and magnetic date on the first page; a row
// per leg with empty ETA and ATA boxes, continuing on further pages under the
// repeated header; the totals and the ICAO route; last, a page with the route
// map. Every page names the route and says its number. Throws
// flightplan::PlanError when cairo cannot draw it.
std::string renderKneeboard(const flightplan::FlightPlan& plan, const KneeboardInputs& inputs);

}  // namespace kneeboard
