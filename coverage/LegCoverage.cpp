// SPDX-License-Identifier: GPL-3.0-or-later
#include "coverage/LegCoverage.h"

#include <algorithm>

namespace coverage {

LegCoverage legCoverage(double distanceNm, std::optional<double> fromRangeNm, std::optional<double> toRangeNm)
{
    const double from = fromRangeNm.value_or(0.0);
    const double to = toRangeNm.value_or(0.0);
    LegCoverage result;
    result.uncoveredNm = std::max(0.0, distanceNm - from - to);
    result.uncoveredFromNm = from;
    if (fromRangeNm && toRangeNm) {
        // Each station is followed for the share of the leg its range is of
        // both, so the switch comes where both are equally far within reach.
        result.changeoverNm = from + to > 0.0 ? distanceNm * from / (from + to) : distanceNm / 2.0;
    }
    return result;
}

}  // namespace coverage
