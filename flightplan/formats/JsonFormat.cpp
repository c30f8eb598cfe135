// SPDX-License-Identifier: GPL-3.0-or-later
#include "flightplan/formats/FormatWriters.h"

#include "base/NumberText.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>

namespace flightplan {

namespace {

using Json = nlohmann::ordered_json;

// Rounded so that scripts see the figures the leg table shows, not the
// noise of the last binary digits.
double rounded(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    const double result = std::round(value * scale) / scale;
    return result == 0.0 ? 0.0 : result;
}

Json optionalNumber(const std::optional<double>& value, int decimals)
{
    return value ? Json(rounded(*value, decimals)) : Json(nullptr);
}

Json airport(const Waypoint& point)
{
    return Json{{"ident", point.ident},
                {"name", point.name},
                {"lat", rounded(point.latitude, 6)},
                {"lon", rounded(point.longitude, 6)},
                {"elevation_ft", point.elevationFt ? Json(std::lround(*point.elevationFt)) : Json(nullptr)}};
}

const char* kindText(WaypointKind kind)
{
    switch (kind) {
    case WaypointKind::Vor:
        return "vor";
    case WaypointKind::Ndb:
        return "ndb";
    case WaypointKind::Airport:
        break;
    }
    return "airport";
}

Json waypoint(const Waypoint& point)
{
    Json json{{"ident", point.ident},
              {"kind", kindText(point.kind)},
              {"lat", point.latitude},
              {"lon", point.longitude},
              {"elevation_ft", point.elevationFt ? Json(std::lround(*point.elevationFt)) : Json(nullptr)},
              {"frequency", point.frequency ? Json(*point.frequency) : Json(nullptr)},
              {"range_nm", optionalNumber(point.rangeNm, 1)}};
    if (point.missingFromSimulator)
        json["range_note"] = NOT_IN_SIMULATOR_TEXT;
    // An NDB's frequency as a number of kHz, and its class, beside the text.
    if (point.kind == WaypointKind::Ndb) {
        const std::optional<double> khz = point.frequency ? base::parseDecimal(*point.frequency) : std::nullopt;
        json["frequency_khz"] = optionalNumber(khz, 1);
        json["ndb_class"] = coverage::ndbClassName(point.ndbClass);
    }
    return json;
}

Json planJson(const FlightPlan& plan)
{
    Json legs = Json::array();
    for (const Leg& leg : plan.legs) {
        legs.push_back(Json{{"from", plan.waypoints[leg.from].ident},
                            {"to", plan.waypoints[leg.to].ident},
                            {"frequency", leg.frequency ? Json(*leg.frequency) : Json(nullptr)},
                            {"radio", leg.radio ? Json(*leg.radio == Radio::Adf ? "adf" : "nav") : Json(nullptr)},
                            {"distance_nm", rounded(leg.distanceNm, 1)},
                            {"course_true", optionalNumber(leg.courseTrue, 1)},
                            {"course_magnetic", optionalNumber(leg.courseMagnetic, 1)},
                            {"radial_from", optionalNumber(leg.radialFrom, 1)},
                            {"radial_to", optionalNumber(leg.radialTo, 1)},
                            {"wind_correction_deg", rounded(leg.windCorrectionDeg, 1)},
                            {"heading_true", optionalNumber(leg.headingTrue, 1)},
                            {"heading_magnetic", optionalNumber(leg.headingMagnetic, 1)},
                            {"ground_speed_kt", rounded(leg.groundSpeedKt, 1)},
                            {"ete_min", rounded(leg.eteMinutes, 1)},
                            {"uncovered_nm", rounded(leg.uncoveredNm, 1)},
                            {"changeover_nm", optionalNumber(leg.changeoverNm, 1)}});
        if (leg.fuel)
            legs.back()["fuel"] = rounded(*leg.fuel, 1);
        // An NDB end has a bearing on the ADF instead of a radial.
        if (leg.qdrFrom)
            legs.back()["qdr_from"] = rounded(*leg.qdrFrom, 1);
        if (leg.qdmTo)
            legs.back()["qdm_to"] = rounded(*leg.qdmTo, 1);
    }
    Json waypoints = Json::array();
    for (const Waypoint& point : plan.waypoints)
        waypoints.push_back(waypoint(point));
    const std::string date = isoDateText(plan.date);
    Json json{{"departure", airport(plan.departure())},
              {"destination", airport(plan.destination())},
              {"legs", legs},
              {"total_nm", rounded(plan.totalNm, 1)},
              {"total_min", rounded(plan.totalMinutes, 1)},
              {"ground_speed_kt", plan.wind ? Json(rounded(plan.groundSpeedKt, 1)) : Json(plan.groundSpeedKt)},
              {"true_airspeed_kt", plan.trueAirspeedKt},
              {"wind", plan.wind ? Json{{"from_true_deg", plan.wind->fromTrueDeg}, {"speed_kt", plan.wind->speedKt}}
                                 : Json(nullptr)},
              {"cruise_ft", plan.cruiseFt},
              {"route", plan.route},
              {"route_item15", plan.routeItem15},
              {"date", date},
              {"route_kind", plan.routeKind == RouteKind::Best ? "best" : "listed"},
              {"ranges", coverage::rangeModelName(plan.rangeModel)},
              {"navaids", coverage::navaidsName(plan.navaids)},
              {"uncovered_nm", rounded(plan.uncoveredNm, 1)},
              {"waypoints", waypoints}};
    if (!plan.magneticNote.empty())
        json["magnetic_note"] = plan.magneticNote;
    if (plan.fuelTotal && plan.fuelWithReserve) {
        json["fuel_burn_per_hour"] = plan.fuelBurnPerHour ? Json(*plan.fuelBurnPerHour) : Json(nullptr);
        json["fuel_total"] = rounded(*plan.fuelTotal, 1);
        json["fuel_with_reserve"] = rounded(*plan.fuelWithReserve, 1);
    }
    return json;
}

// A name with a damaged byte is written with U+FFFD rather than failing.
std::string dumped(const Json& json)
{
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace

std::string writeJson(const FlightPlan& plan)
{
    return dumped(planJson(plan));
}

std::string writeJsonComparison(const FlightPlan& listed, const FlightPlan& best)
{
    return dumped(Json{{"listed", planJson(listed)}, {"best", planJson(best)}});
}

}  // namespace flightplan
