// SPDX-License-Identifier: GPL-3.0-or-later
#include "flightplan/RouteIds.h"

#include "flightplan/PlanError.h"

#include <charconv>

namespace flightplan {

std::int64_t parseRowId(const std::string& text, const std::string& what)
{
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        throw PlanError("The ID of " + what + " is not a whole number: \"" + text + "\".");
    return value;
}

RouteIds routeIdsOf(const std::string& departureID, const std::vector<std::string>& beaconIDs,
                    const std::string& destinationID)
{
    RouteIds route;
    route.departure = parseRowId(departureID, "the departure airport");
    for (const std::string& id : beaconIDs)
        route.beacons.push_back(parseRowId(id, "a beacon of the route"));
    route.destination = parseRowId(destinationID, "the destination airport");
    return route;
}

}  // namespace flightplan
