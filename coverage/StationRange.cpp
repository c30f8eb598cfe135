// SPDX-License-Identifier: GPL-3.0-or-later
#include "coverage/StationRange.h"

#include <algorithm>
#include <cmath>

namespace coverage {

const char* rangeModelName(RangeModel model)
{
    return model == RangeModel::Simulator ? "simulator" : "standard";
}

std::optional<RangeModel> parseRangeModel(std::string_view text)
{
    if (text == "standard")
        return RangeModel::Standard;
    if (text == "simulator")
        return RangeModel::Simulator;
    return std::nullopt;
}

// The standard service volumes of terminal, low and high stations.
double serviceVolumeNm(char serviceClass, double heightFt)
{
    if (serviceClass == 'T')
        return 25.0;
    if (serviceClass != 'H')
        return 40.0;
    if (heightFt < 14500.0)
        return 40.0;
    if (heightFt < 18000.0)
        return 100.0;
    if (heightFt <= 45000.0)
        return 130.0;
    return 100.0;
}

double radioHorizonNm(double heightFt)
{
    return 1.23 * std::sqrt(std::max(heightFt, 0.0));
}

double stationRangeNm(char serviceClass, std::optional<double> elevationFt, std::optional<double> simulatorRangeNm,
                      double altitudeFt, RangeModel model)
{
    if (model == RangeModel::Simulator) {
        const double range = simulatorRangeNm.value_or(0.0);
        return range > 0.0 ? std::min(range, kLongestStationRangeNm) : 0.0;  // NaN too
    }
    const double height = altitudeFt - elevationFt.value_or(0.0);
    return std::min(serviceVolumeNm(serviceClass, height), radioHorizonNm(height));
}

}  // namespace coverage
