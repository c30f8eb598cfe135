// SPDX-License-Identifier: GPL-3.0-or-later
#include "flightplan/formats/FormatWriters.h"

#include "base/NumberText.h"
#include "flightplan/formats/Idents.h"
#include "base/XmlText.h"

namespace flightplan {

namespace {

constexpr std::size_t FG_IDENT_LENGTH = 8;

struct FgPoint {
    std::string type;  // navaid: found by ident near the position; basic: the position alone
    std::string ident;
    double latitude, longitude;
};

std::vector<FgPoint> adaptForFlightGear(const FlightPlan& plan)
{
    std::vector<FgPoint> points;
    for (std::size_t i = 0; i < plan.waypoints.size(); ++i) {
        const Waypoint& point = plan.waypoints[i];
        points.push_back(FgPoint{isKnownToSimulators(point) ? "navaid" : "basic", formatIdent(point, i, FG_IDENT_LENGTH),
                                 point.latitude, point.longitude});
    }
    return points;
}

std::string airportBlock(const char* element, const FgPoint& point)
{
    if (point.type != "navaid")
        return {};
    return std::string("  <") + element + ">\n    <airport type=\"string\">" + base::xmlEscape(point.ident) +
           "</airport>\n  </" + element + ">\n";
}

}  // namespace

std::string writeFgfp(const FlightPlan& plan)
{
    const std::vector<FgPoint> points = adaptForFlightGear(plan);
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<PropertyList>\n";
    xml += "  <version type=\"int\">2</version>\n";
    xml += airportBlock("departure", points.front());
    xml += airportBlock("destination", points.back());
    // Without it the route manager shows a cruise of 0.
    xml += "  <cruise>\n    <altitude-ft type=\"int\">" + std::to_string(plan.cruiseFt) +
           "</altitude-ft>\n  </cruise>\n";
    xml += "  <route>\n";
    for (std::size_t i = 0; i < points.size(); ++i) {
        const FgPoint& point = points[i];
        xml += "    <wp>\n";
        xml += "      <type type=\"string\">" + point.type + "</type>\n";
        xml += "      <ident type=\"string\">" + base::xmlEscape(point.ident) + "</ident>\n";
        xml += "      <lon type=\"double\">" + base::formatFixed(point.longitude, 6) + "</lon>\n";
        xml += "      <lat type=\"double\">" + base::formatFixed(point.latitude, 6) + "</lat>\n";
        // The route manager adds the departure and destination airports again
        // in front of and behind the first and last points it finds unflagged.
        if (i == 0)
            xml += "      <departure type=\"bool\">true</departure>\n";
        else if (i + 1 == points.size())
            xml += "      <approach type=\"bool\">true</approach>\n";
        xml += "    </wp>\n";
    }
    xml += "  </route>\n</PropertyList>\n";
    return xml;
}

}  // namespace flightplan
