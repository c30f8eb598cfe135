// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coverage/BestRoute.h"
#include "coverage/CoverageNetwork.h"
#include "coverage/Station.h"

#include <cstddef>
#include <string>
#include <vector>

namespace coveragetest {

// One degree of longitude along the equator of WGS 84, which is a geodesic
// there, so lengths along it add up exactly.
inline const double NM_PER_EQUATOR_DEGREE = 6378137.0 * 3.14159265358979323846 / 180.0 / 1852.0;

// A station whose range is given outright, as the simulator model takes it.
coverage::Station station(const std::string& ident, coverage::StationKind kind, double latitude, double longitude,
                          double rangeNm);
coverage::Station station(const std::string& ident, double latitude, double longitude, double rangeNm);

std::vector<std::string> identsOf(const coverage::CoverageNetwork& network, const coverage::BestRoute& route);

// The best route found by trying every sequence of distinct stations one by
// one: least uncovered first, then shortest, each leg costing its geodesic
// length and 10 nm, each NDB passed 25 nm more. The ranges are the network's.
struct TriedRoute {
    double uncoveredNm = 1e300;
    double costNm = 1e300;
    std::vector<std::size_t> stations;
};
TriedRoute tryEveryRoute(const std::vector<coverage::Station>& stations, const coverage::CoverageNetwork& network,
                         const coverage::RouteEnd& from, const coverage::RouteEnd& to);

}  // namespace coveragetest
