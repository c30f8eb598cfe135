#pragma once

#include "flightplan/FlightPlan.h"
#include "flightplan/PlanCalculation.h"

#include <cstdint>
#include <string>
#include <vector>

class CDatabase;

namespace flightplan {

class MagneticModel;

// A completed route by database row IDs: airports.ID of the two airports,
// navs.ID of each beacon in flying order.
struct RouteIds {
    std::int64_t departure = 0;
    std::vector<std::int64_t> beacons;
    std::int64_t destination = 0;
};

// An ID as the lists and the route search hold it ("21175"), checked to be
// a whole number before any query is built from it. Throws PlanError naming
// `what` ("the departure airport") otherwise.
std::int64_t parseRowId(const std::string& text, const std::string& what);

// The route as the window and the planner hold it, ID texts, each checked
// with parseRowId.
RouteIds routeIdsOf(const std::string& departureID, const std::vector<std::string>& beaconIDs,
                    const std::string& destinationID);

// Reads the waypoints of the route: idents, names, frequencies and
// elevations from airports and navs, positions from airport_facts and
// nav_facts, declinations from nav_facts. Throws PlanError naming the
// airport or beacon when its row, its position row or a value is missing
// or damaged, and when the database cannot answer (the text says why).
std::vector<Waypoint> readRouteWaypoints(CDatabase& database, const RouteIds& route);

// One airport as a waypoint, read as readRouteWaypoints reads it.
Waypoint readAirportWaypoint(CDatabase& database, std::int64_t airportId);

// Every VOR with its precise position, for a map to show what the route was
// chosen among. Beacons without a position row are left out.
std::vector<Waypoint> readAllVors(CDatabase& database);

// readRouteWaypoints followed by computePlan.
FlightPlan buildPlan(CDatabase& database, const RouteIds& route, const PlanOptions& options,
                     const MagneticModel& model);

}  // namespace flightplan
