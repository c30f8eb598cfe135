// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coverage/Station.h"
#include "flightplan/FlightPlan.h"
#include "flightplan/PlanCalculation.h"

#include <cstdint>
#include <vector>

namespace flightplan {

class MagneticModel;

// The altitude the best route is first searched at: the cruise altitude
// given, else the semicircular one for the magnetic course from departure
// to destination, at least 1,500 ft above both airports and at least
// options.minimumCruiseFt (the listed route's cruise, so that the best route
// is never flown lower than the listed one).
int bestRouteSearchAltitudeFt(const Waypoint& departure, const Waypoint& destination, const PlanOptions& options,
                              const MagneticModel& model);

// Throws PlanError when departure and destination are the same airport:
// the best route needs two.
void requireTwoAirports(const Waypoint& departure, const Waypoint& destination);

// A station as a waypoint of the plan.
Waypoint waypointOf(const coverage::Station& station);

// The best covered route between two airports among these stations
// (coverage/BestRoute.h) with options.rangeModel: the stations chosen (indices
// into `stations`, in flying order) and the altitude they were chosen at.
// Searched first at bestRouteSearchAltitudeFt; where the route found must
// be flown higher by the semicircular rule (a beacon on high ground), it is
// searched again there, so that it is flown where it was searched. Searched
// at the listed route's cruise or higher, it never leaves more uncovered
// than the listed route does. Throws PlanError when both ends are the same
// airport (requireTwoAirports).
struct BestRouteChoice {
    std::vector<std::size_t> stations;
    int searchFt = 0;
};
BestRouteChoice chooseBestRoute(const Waypoint& departure, const Waypoint& destination,
                                const std::vector<coverage::Station>& stations, const PlanOptions& options,
                                const MagneticModel& model);

// The plan of a chosen route, flown at the altitude it was chosen at (or
// the cruise given): `chosen` holds its stations in flying order, with
// every fact a waypoint shows (a search may have read fewer).
FlightPlan planChosenRoute(const Waypoint& departure, const Waypoint& destination, const BestRouteChoice& choice,
                           const std::vector<coverage::Station>& chosen, PlanOptions options,
                           const MagneticModel& model);

// Both steps on stations that carry every fact.
FlightPlan planBestRoute(const Waypoint& departure, const Waypoint& destination,
                         const std::vector<coverage::Station>& stations, PlanOptions options,
                         const MagneticModel& model);

// Gives the beacons of a route read by ID (waypoints 1 .. n-2 stand for
// beaconIds in order) the class and simulator range their stations have.
void attachStationFacts(std::vector<Waypoint>& waypoints, const std::vector<std::int64_t>& beaconIds,
                        const std::vector<coverage::Station>& stations);

}  // namespace flightplan
