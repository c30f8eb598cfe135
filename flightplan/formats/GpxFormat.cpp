// SPDX-License-Identifier: GPL-3.0-or-later
#include "flightplan/formats/FormatWriters.h"

#include "base/NumberText.h"
#include "base/XmlText.h"

namespace flightplan {

namespace {

constexpr double METRES_PER_FOOT = 0.3048;

// GPX takes any text, so nothing needs adapting but the description.
std::string description(const Waypoint& point)
{
    if (!point.frequency)
        return point.name;
    return point.name + " " + *point.frequency + (point.kind == WaypointKind::Ndb ? " kHz" : "");
}

const char* typeText(WaypointKind kind)
{
    switch (kind) {
    case WaypointKind::Vor:
        return "VOR";
    case WaypointKind::Ndb:
        return "NDB";
    case WaypointKind::Airport:
        break;
    }
    return "Airport";
}

}  // namespace

std::string writeGpx(const FlightPlan& plan)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<gpx version=\"1.1\" creator=\"Meridane\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n";
    xml += "  <rte>\n";
    xml += base::xmlElement(4, "name", plan.route);
    for (const Waypoint& point : plan.waypoints) {
        xml += "    <rtept lat=\"" + base::formatFixed(point.latitude, 6) + "\" lon=\"" + base::formatFixed(point.longitude, 6) +
               "\">\n";
        // A beacon's ground elevation would read as an altitude to cross it
        // at; en route the altitude is the cruise.
        const std::optional<double> altitudeFt =
            isBeacon(point.kind) ? std::optional<double>(plan.cruiseFt) : point.elevationFt;
        if (altitudeFt)
            xml += base::xmlElement(6, "ele", base::formatFixed(*altitudeFt * METRES_PER_FOOT, 1));
        xml += base::xmlElement(6, "name", point.ident);
        xml += base::xmlElement(6, "desc", description(point));
        xml += base::xmlElement(6, "type", typeText(point.kind));
        xml += "    </rtept>\n";
    }
    xml += "  </rte>\n</gpx>\n";
    return xml;
}

}  // namespace flightplan
