// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coverage/CoverageNetwork.h"

#include <cstddef>
#include <vector>

namespace coverage {

// What each leg costs beyond its length, so that of two routes equally long
// the one with fewer beacons wins rather than one that collects every
// beacon lying on the line.
inline constexpr double PER_LEG_NM = 10.0;

// An airport at either end of the route; no station can be received from it.
struct RouteEnd {
    double latitude = 0.0;
    double longitude = 0.0;
};

struct BestRoute {
    std::vector<std::size_t> stations;  // indices into the network, in flying order
    double uncoveredNm = 0.0;           // summed over the legs
    double distanceNm = 0.0;            // summed over the legs, without the per-leg term
    // No covered route exists, so every leg between any two points was
    // looked at.
    bool searchedEveryLeg = false;
};

// The route from departure to destination through distinct stations that
// has the least uncovered distance and, among those, the least distance
// plus PER_LEG_NM per leg and PER_NDB_NM per NDB passed (a network of VORs
// alone has none). Exact: A* over the covered legs, and over every
// leg only when the covered ones do not join the two airports. Equal routes
// are settled by station order, the same way every run.
BestRoute findBestRoute(const CoverageNetwork& network, const RouteEnd& departure, const RouteEnd& destination);

}  // namespace coverage
