// SPDX-License-Identifier: GPL-3.0-or-later
#include "flightplan/formats/FormatWriters.h"

#include "base/NumberText.h"
#include "flightplan/formats/Idents.h"

namespace flightplan {

namespace {

// X-Plane's waypoint type codes.
constexpr int FMS_AIRPORT = 1;
constexpr int FMS_NDB = 2;
constexpr int FMS_VOR = 3;
constexpr int FMS_LATLON = 28;
constexpr WaypointTypes<int> FMS_TYPES{FMS_LATLON, FMS_VOR, FMS_NDB, FMS_AIRPORT};
// An X-Plane identifier is one word; 7 characters cover every airport code.
constexpr std::size_t FMS_IDENT_LENGTH = 7;

struct FmsPoint {
    int type;
    std::string ident;
    double altitudeFt;
    double latitude, longitude;
};

std::vector<FmsPoint> adaptForFms(const FlightPlan& plan)
{
    std::vector<FmsPoint> points;
    for (std::size_t i = 0; i < plan.waypoints.size(); ++i) {
        const Waypoint& point = plan.waypoints[i];
        points.push_back(FmsPoint{waypointType(point, FMS_TYPES), formatIdent(point, i, FMS_IDENT_LENGTH),
                                  waypointAltitudeFt(plan, point), point.latitude, point.longitude});
    }
    return points;
}

}  // namespace

std::string airacCycle(const CivilDate& date)
{
    // Cycles run 28 days from a known start (2401 took effect on
    // 2024-01-25); a year's first cycle is the first to start in it.
    const long reference = daysSinceEpoch(CivilDate{2024, 1, 25});
    long offset = daysSinceEpoch(date) - reference;
    long periods = offset >= 0 ? offset / 28 : -((-offset + 27) / 28);
    const long start = reference + periods * 28;
    const CivilDate startDate = dateFromDays(start);
    const long dayOfYear = start - daysSinceEpoch(CivilDate{startDate.year, 1, 1});
    const int number = static_cast<int>(dayOfYear / 28 + 1);
    const int year = startDate.year % 100;
    return std::string(year < 10 ? "0" : "") + std::to_string(year) + (number < 10 ? "0" : "") +
           std::to_string(number);
}

std::string writeFms(const FlightPlan& plan)
{
    const std::vector<FmsPoint> points = adaptForFms(plan);
    const FmsPoint& first = points.front();
    const FmsPoint& last = points.back();
    const bool airportStart = first.type == FMS_AIRPORT;
    const bool airportEnd = last.type == FMS_AIRPORT;

    std::string text = "I\n1100 Version\nCYCLE " + airacCycle(plan.date) + "\n";
    text += (airportStart ? "ADEP " : "DEP ") + first.ident + "\n";
    text += (airportEnd ? "ADES " : "DES ") + last.ident + "\n";
    text += "NUMENR " + std::to_string(points.size()) + "\n";
    for (std::size_t i = 0; i < points.size(); ++i) {
        const FmsPoint& point = points[i];
        const char* via = "DRCT";
        if (i == 0 && airportStart)
            via = "ADEP";
        else if (i + 1 == points.size() && airportEnd)
            via = "ADES";
        text += std::to_string(point.type) + " " + point.ident + " " + via + " " + base::formatFixed(point.altitudeFt, 6) +
                " " + base::formatFixed(point.latitude, 6) + " " + base::formatFixed(point.longitude, 6) + "\n";
    }
    return text;
}

}  // namespace flightplan
