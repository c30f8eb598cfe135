// SPDX-License-Identifier: GPL-3.0-or-later
#include "follow/NavStrip.h"

#include "flightplan/PlanCalculation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace follow {

namespace {

// The declination a beacon's radials follow, as the plan computed it: the
// database's own, else what the plan's radials were figured with.
std::optional<double> stationDeclination(const flightplan::FlightPlan& plan, std::size_t waypoint)
{
    const flightplan::Waypoint& beacon = plan.waypoints[waypoint];
    if (beacon.declination)
        return *beacon.declination;
    for (const flightplan::Leg& leg : plan.legs) {
        if (leg.from == waypoint && leg.radialFrom && leg.courseTrue)
            return signedDegrees(*leg.courseTrue - *leg.radialFrom);
        if (leg.to == waypoint && leg.radialTo) {
            const flightplan::Waypoint& other = plan.waypoints[leg.from];
            const Bearing back = bearingBetween({beacon.latitude, beacon.longitude}, {other.latitude, other.longitude});
            return signedDegrees(back.azimuthTrue - *leg.radialTo);
        }
    }
    return std::nullopt;
}

std::optional<StationTuning> tuningOf(const flightplan::FlightPlan& plan, std::size_t waypoint, double courseDeg,
                                      bool ahead)
{
    const std::optional<double> declination = stationDeclination(plan, waypoint);
    if (!declination)
        return std::nullopt;
    const flightplan::Waypoint& beacon = plan.waypoints[waypoint];
    return StationTuning{waypoint, beacon.ident, beacon.frequency, courseDeg, *declination, ahead};
}

}  // namespace

const char* toFromText(ToFrom flag)
{
    switch (flag) {
    case ToFrom::To:
        return "TO";
    case ToFrom::From:
        return "FROM";
    case ToFrom::Off:
        break;
    }
    return "OFF";
}

VorReading readVor(const GeoPoint& station, double declination, double obsDeg, const GeoPoint& position)
{
    VorReading reading;
    const Bearing fromStation = bearingBetween(station, position);
    reading.distanceNm = fromStation.distanceNm;
    if (fromStation.distanceNm < OVER_STATION_NM)
        return reading;
    const double radial = flightplan::normalizeDegrees(fromStation.azimuthTrue - declination);
    reading.radial = radial;
    // Off the selected radial by less than a right angle: the station is
    // behind. The needle shows the course against the aircraft: flying
    // from, the course's side of the radial; flying to, that of the bearing
    // to the station.
    const double off = signedDegrees(radial - obsDeg);
    double deflection;
    if (std::fabs(off) <= 90.0) {
        reading.toFrom = ToFrom::From;
        deflection = -off;
    } else {
        reading.toFrom = ToFrom::To;
        deflection = signedDegrees(radial + 180.0 - obsDeg);
    }
    deflection = std::clamp(deflection, -CDI_FULL_SCALE_DEG, CDI_FULL_SCALE_DEG);
    reading.deflectionDeg = deflection;
    reading.cdiDots = deflection / CDI_DEG_PER_DOT;
    return reading;
}

std::optional<StationTuning> stationFor(const flightplan::FlightPlan& plan, std::size_t legIndex, double alongNm)
{
    const flightplan::Leg& leg = plan.legs.at(legIndex);
    std::optional<StationTuning> behind, ahead;
    // An NDB end has no radial: the pilot holds the bearing on the ADF.
    const auto ndb = [&plan](std::size_t waypoint, double bearing, bool isAhead) {
        const flightplan::Waypoint& beacon = plan.waypoints[waypoint];
        return StationTuning{waypoint, beacon.ident, beacon.frequency, bearing, 0.0, isAhead, true};
    };
    if (leg.radialFrom)
        behind = tuningOf(plan, leg.from, *leg.radialFrom, false);
    else if (leg.qdrFrom)
        behind = ndb(leg.from, *leg.qdrFrom, false);
    if (leg.radialTo)
        ahead = tuningOf(plan, leg.to, flightplan::normalizeDegrees(*leg.radialTo + 180.0), true);
    else if (leg.qdmTo)
        ahead = ndb(leg.to, *leg.qdmTo, true);
    if (behind && ahead)
        return leg.changeoverNm && alongNm < *leg.changeoverNm ? behind : ahead;
    return ahead ? ahead : behind;
}

NavStrip navStrip(const flightplan::FlightPlan& plan, std::size_t leg, const GeoPoint& position, double groundSpeedKt)
{
    NavStrip strip;
    strip.progress = legProgress(plan, leg, position);
    strip.station = stationFor(plan, leg, strip.progress.alongNm);
    if (strip.station && !strip.station->ndb) {
        const flightplan::Waypoint& beacon = plan.waypoints[strip.station->waypoint];
        strip.vor = readVor({beacon.latitude, beacon.longitude}, strip.station->declination, strip.station->courseDeg,
                            position);
    }
    if (std::isfinite(groundSpeedKt) && groundSpeedKt >= SLOWEST_FOR_TIME_KT)
        strip.eteMinutes = std::max(strip.progress.toGoNm, 0.0) / groundSpeedKt * 60.0;
    return strip;
}

namespace {

// A frequency written as a plain number within a receiver's band.
std::optional<double> frequencyWithin(const std::string& text, double lowest, double highest)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    if (end == begin || *end != '\0' || !(value >= lowest && value <= highest))
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<double> navFrequencyMhz(const std::string& text)
{
    return frequencyWithin(text, 108.0, 117.95);
}

std::optional<double> adfFrequencyKhz(const std::string& text)
{
    return frequencyWithin(text, 190.0, 1750.0);
}

}  // namespace follow
