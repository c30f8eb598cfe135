// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace flightplan {

// A completed route by database row IDs: airports.ID of the two airports,
// navs.ID of each beacon in flying order.
struct RouteIds {
    std::int64_t departure = 0;
    std::vector<std::int64_t> beacons;
    std::int64_t destination = 0;
};

// An ID as the lists and the route search hold it ("21175"), checked to be
// a whole number. Throws PlanError naming `what` ("the departure airport")
// otherwise.
std::int64_t parseRowId(const std::string& text, const std::string& what);

// The route as the window and the planner hold it, ID texts, each checked
// with parseRowId.
RouteIds routeIdsOf(const std::string& departureID, const std::vector<std::string>& beaconIDs,
                    const std::string& destinationID);

}  // namespace flightplan
