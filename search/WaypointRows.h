// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flightplan/FlightPlan.h"
#include "flightplan/RouteIds.h"

#include <cstdint>
#include <vector>

class CDatabase;

// The rows a flight plan and its map are made of, read with bound
// parameters beside the airport search.
namespace search {

// Reads the waypoints of the route: idents, names, frequencies and
// elevations from airports and navs, positions from airport_facts and
// nav_facts, declinations from nav_facts. Throws flightplan::PlanError
// naming the airport or beacon when its row, its position row or a value is
// missing or damaged, and when the database cannot answer (the text says
// why).
std::vector<flightplan::Waypoint> readRouteWaypoints(CDatabase& database, const flightplan::RouteIds& route);

// One airport as a waypoint, read as readRouteWaypoints reads it.
flightplan::Waypoint readAirportWaypoint(CDatabase& database, std::int64_t airportId);

// Every VOR with its precise position, for a map to show what the route was
// chosen among. Beacons without a position row, or with a damaged one, are
// left out and counted in `damaged`. Throws PlanError when the database
// cannot list them.
std::vector<flightplan::Waypoint> readAllVors(CDatabase& database, std::size_t* damaged = nullptr);
// Every NDB the same way (none from a database imported before NDBs were
// kept), for the map of a route flown by VOR and ADF.
std::vector<flightplan::Waypoint> readAllNdbs(CDatabase& database, std::size_t* damaged = nullptr);

}  // namespace search
