// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace coverage {

// How much of a leg no station can be received on, and where to change
// from the station behind to the one ahead.
struct LegCoverage {
    double uncoveredNm = 0.0;
    // Where that stretch begins, from the leg's start: the range of the
    // station behind (0 behind an airport). It ends uncoveredNm further on.
    double uncoveredFromNm = 0.0;
    // From the leg's start; only between two stations.
    std::optional<double> changeoverNm;
};

// A leg of distanceNm between two ends, each a station with its range or
// an airport (nullopt), which is received nowhere.
LegCoverage legCoverage(double distanceNm, std::optional<double> fromRangeNm, std::optional<double> toRangeNm);

}  // namespace coverage
