// SPDX-License-Identifier: GPL-3.0-or-later
#include "flightplan/formats/FormatWriters.h"

#include "base/NumberText.h"
#include "flightplan/formats/Idents.h"
#include "base/XmlText.h"

#include <cmath>
#include <cstdlib>

namespace flightplan {

namespace {

// Longer than any ICAO code or beacon ident, short enough for the
// simulator's flight plan pages.
constexpr std::size_t PLN_IDENT_LENGTH = 8;
const WaypointTypes<const char*> PLN_TYPES{"User", "VOR", "NDB", "Airport"};

struct PlnPoint {
    std::string type;   // Airport, VOR, User
    std::string ident;
    std::string position;
};

// N40° 38' 23.28" as the simulator writes an angle: whole degrees and
// minutes, seconds to hundredths.
std::string dmsText(double value, char positive, char negative)
{
    const long long hundredths = std::llround(std::fabs(value) * 360000.0);
    const long long degrees = hundredths / 360000;
    const long long minutes = hundredths % 360000 / 6000;
    const long long seconds = hundredths % 6000;
    std::string cents = std::to_string(seconds % 100);
    if (cents.size() < 2)
        cents.insert(0, "0");
    return std::string(1, value < 0 && hundredths != 0 ? negative : positive) + std::to_string(degrees) + "\xC2\xB0 " +
           std::to_string(minutes) + "' " + std::to_string(seconds / 100) + "." + cents + "\"";
}

// +000013.00: signed feet, six whole digits.
std::string altitudeText(double feet)
{
    std::string digits = base::formatFixed(std::fabs(feet), 2);
    while (digits.size() < 9)
        digits.insert(0, "0");
    return (feet < 0 && digits.find_first_not_of("0.") != std::string::npos ? "-" : "+") + digits;
}

std::vector<PlnPoint> adaptForPln(const FlightPlan& plan)
{
    std::vector<PlnPoint> points;
    for (std::size_t i = 0; i < plan.waypoints.size(); ++i) {
        const Waypoint& point = plan.waypoints[i];
        points.push_back(PlnPoint{waypointType(point, PLN_TYPES), formatIdent(point, i, PLN_IDENT_LENGTH),
                                  dmsText(point.latitude, 'N', 'S') + "," + dmsText(point.longitude, 'E', 'W') + "," +
                                      altitudeText(waypointAltitudeFt(plan, point))});
    }
    return points;
}

}  // namespace

std::string writePln(const FlightPlan& plan)
{
    const std::vector<PlnPoint> points = adaptForPln(plan);
    const PlnPoint& departure = points.front();
    const PlnPoint& destination = points.back();

    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<SimBase.Document Type=\"AceXML\" version=\"1,0\">\n";
    xml += base::xmlElement(4, "Descr", "AceXML Document");
    xml += "    <FlightPlan.FlightPlan>\n";
    xml += base::xmlElement(8, "Title", departure.ident + " to " + destination.ident);
    xml += base::xmlElement(8, "FPType", "VFR");
    xml += base::xmlElement(8, "RouteType", "VOR");
    xml += base::xmlElement(8, "CruisingAlt", std::to_string(plan.cruiseFt));
    xml += base::xmlElement(8, "DepartureID", departure.ident);
    xml += base::xmlElement(8, "DepartureLLA", departure.position);
    xml += base::xmlElement(8, "DestinationID", destination.ident);
    xml += base::xmlElement(8, "DestinationLLA", destination.position);
    xml += base::xmlElement(8, "Descr", departure.ident + ", " + destination.ident);
    xml += base::xmlElement(8, "DepartureName", plan.departure().name);
    xml += base::xmlElement(8, "DestinationName", plan.destination().name);
    xml += "        <AppVersion>\n";
    xml += base::xmlElement(12, "AppVersionMajor", "10");
    xml += base::xmlElement(12, "AppVersionBuild", "61472");
    xml += "        </AppVersion>\n";
    for (const PlnPoint& point : points) {
        xml += "        <ATCWaypoint id=\"" + base::xmlAttributeEscape(point.ident) + "\">\n";
        xml += base::xmlElement(12, "ATCWaypointType", point.type);
        xml += base::xmlElement(12, "WorldPosition", point.position);
        // User waypoints too: without an ICAO element some navigation data
        // sets put the point at the North Pole.
        xml += "            <ICAO>\n";
        xml += base::xmlElement(16, "ICAOIdent", point.ident);
        xml += "            </ICAO>\n";
        xml += "        </ATCWaypoint>\n";
    }
    xml += "    </FlightPlan.FlightPlan>\n</SimBase.Document>\n";
    return xml;
}

}  // namespace flightplan
