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
        return range > 0.0 ? std::min(range, LONGEST_STATION_RANGE_NM) : 0.0;  // NaN too
    }
    const double height = altitudeFt - elevationFt.value_or(0.0);
    return std::min(serviceVolumeNm(serviceClass, height), radioHorizonNm(height));
}

double ndbServiceRangeNm(NdbClass ndbClass)
{
    switch (ndbClass) {
    case NdbClass::Locator:
        return 15.0;
    case NdbClass::MH:
        return 25.0;
    case NdbClass::H:
        return 50.0;
    case NdbClass::HH:
        return 75.0;
    }
    return 25.0;
}

namespace {

struct NdbClassRow {
    NdbClass ndbClass;
    const char* name;
};

constexpr NdbClassRow NDB_CLASSES[] = {
    {NdbClass::Locator, "COMLO"}, {NdbClass::MH, "MH"}, {NdbClass::H, "H"}, {NdbClass::HH, "HH"}};

}  // namespace

const char* ndbClassName(NdbClass ndbClass)
{
    for (const NdbClassRow& row : NDB_CLASSES) {
        if (row.ndbClass == ndbClass)
            return row.name;
    }
    return "MH";
}

std::optional<NdbClass> parseNdbClass(std::string_view text)
{
    for (const NdbClassRow& row : NDB_CLASSES) {
        if (text == row.name)
            return row.ndbClass;
    }
    return std::nullopt;
}

double ndbRangeNm(NdbClass ndbClass, std::optional<double> simulatorRangeNm, RangeModel model)
{
    if (model == RangeModel::Simulator)
        return simulatorRangeNm.value_or(0.0);
    return ndbServiceRangeNm(ndbClass);
}

double stationRangeNm(const Station& station, double altitudeFt, RangeModel model)
{
    if (station.kind == StationKind::Ndb)
        return ndbRangeNm(station.ndbClass, station.simulatorRangeNm, model);
    return stationRangeNm(station.serviceClass, station.elevationFt, station.simulatorRangeNm, altitudeFt, model);
}

const char* navaidsName(Navaids navaids)
{
    return navaids == Navaids::VorNdb ? "vor+ndb" : "vor";
}

std::optional<Navaids> parseNavaids(std::string_view text)
{
    if (text == "vor")
        return Navaids::Vor;
    if (text == "vor+ndb")
        return Navaids::VorNdb;
    return std::nullopt;
}

}  // namespace coverage
