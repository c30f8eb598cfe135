// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coverage/Station.h"
#include "flightplan/FlightPlan.h"
#include "flightplan/PlanCalculation.h"

#include <cstdint>
#include <vector>

namespace flightplan {

class MagneticModel;

// The altitude the best route is searched at: the cruise altitude given,
// else the semicircular one for the direct magnetic course from departure
// to destination, at least 1,500 ft above both airports.
int bestRouteSearchAltitudeFt(const Waypoint& departure, const Waypoint& destination, const PlanOptions& options,
                              const MagneticModel& model);

// Throws PlanError when departure and destination are the same airport:
// the best route needs two.
void requireTwoAirports(const Waypoint& departure, const Waypoint& destination);

// A station as a waypoint of the plan.
Waypoint waypointOf(const coverage::Station& station);

// The plan of the best covered route between two airports among these
// stations (coverage/BestRoute.h), searched at bestRouteSearchAltitudeFt
// and cruising there or higher, with options.rangeModel. Throws PlanError when
// both ends are the same airport (requireTwoAirports).
FlightPlan planBestRoute(const Waypoint& departure, const Waypoint& destination,
                         const std::vector<coverage::Station>& stations, PlanOptions options,
                         const MagneticModel& model);

// Gives the beacons of a route read by ID (waypoints 1 .. n-2 stand for
// beaconIds in order) the class and simulator range their stations have.
void attachStationFacts(std::vector<Waypoint>& waypoints, const std::vector<std::int64_t>& beaconIds,
                        const std::vector<coverage::Station>& stations);

}  // namespace flightplan
