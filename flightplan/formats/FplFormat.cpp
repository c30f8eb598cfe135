// SPDX-License-Identifier: GPL-3.0-or-later
#include "flightplan/formats/FormatWriters.h"

#include "base/NumberText.h"
#include "flightplan/formats/Idents.h"
#include "base/XmlText.h"

#include <glib.h>

#include <cmath>

namespace flightplan {

namespace {

// The schema's limits: identifiers [A-Z0-9]{1,12}; comments and route
// names [A-Z0-9 /]{1,25}.
constexpr std::size_t FPL_IDENT_LENGTH = 12;
constexpr std::size_t FPL_TEXT_LENGTH = 25;
const WaypointTypes<const char*> FPL_TYPES{"USER WAYPOINT", "VOR", "NDB", "AIRPORT"};

struct FplPoint {
    std::string ident;
    std::string type;  // AIRPORT, VOR, USER WAYPOINT
    double latitude, longitude;
    std::string comment;
};

// Upper-case letters, digits, blanks and slashes only, one blank between
// words, at most 25 characters. Accented Latin letters lose their accents
// (Zürich is ZURICH); any other character is a blank.
std::string fplText(const std::string& text)
{
    // U+00C0 to U+00FF, upper-cased and without accents.
    static const char latin1[] = "AAAAAAACEEEEIIIIDNOOOOO OUUUUYTSAAAAAAACEEEEIIIIDNOOOOO OUUUUYTY";
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        char kept = ' ';
        if (g_ascii_isalnum(static_cast<char>(c)) || c == '/')
            kept = g_ascii_toupper(static_cast<char>(c));
        else if (c == 0xC3 && i + 1 < text.size() && (static_cast<unsigned char>(text[i + 1]) & 0xC0u) == 0x80u)
            kept = latin1[static_cast<unsigned char>(text[++i]) - 0x80];
        else if (c >= 0xC0) {
            while (i + 1 < text.size() && (static_cast<unsigned char>(text[i + 1]) & 0xC0u) == 0x80u)
                ++i;
        }
        if (kept == ' ' && (out.empty() || out.back() == ' '))
            continue;
        out += kept;
    }
    if (out.size() > FPL_TEXT_LENGTH)
        out.resize(FPL_TEXT_LENGTH);
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

std::vector<FplPoint> adaptForFpl(const FlightPlan& plan)
{
    std::vector<FplPoint> points;
    for (std::size_t i = 0; i < plan.waypoints.size(); ++i) {
        const Waypoint& point = plan.waypoints[i];
        FplPoint out;
        out.type = waypointType(point, FPL_TYPES);
        out.ident = formatIdent(point, i, FPL_IDENT_LENGTH);
        out.latitude = point.latitude;
        out.longitude = point.longitude;
        out.comment = fplText(point.name);
        // The waypoint table keys on identifier and type: a different place
        // under a name already taken becomes a user waypoint of its own.
        for (const FplPoint& earlier : points) {
            if (earlier.ident == out.ident && earlier.type == out.type &&
                (earlier.latitude != out.latitude || earlier.longitude != out.longitude)) {
                out.type = "USER WAYPOINT";
                out.ident = upperAlphanumeric(out.ident, FPL_IDENT_LENGTH - 3) + std::to_string(i + 1);
                break;
            }
        }
        points.push_back(out);
    }
    return points;
}

}  // namespace

std::string writeFpl(const FlightPlan& plan)
{
    const std::vector<FplPoint> points = adaptForFpl(plan);
    std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                      "<flight-plan xmlns=\"http://www8.garmin.com/xmlschemas/FlightPlan/v1\">\n";
    xml += base::xmlElement(2, "created", isoTimestamp(plan.date));
    xml += "  <waypoint-table>\n";
    for (std::size_t i = 0; i < points.size(); ++i) {
        const FplPoint& point = points[i];
        bool listed = false;
        for (std::size_t k = 0; k < i; ++k)
            listed = listed || (points[k].ident == point.ident && points[k].type == point.type);
        if (listed)
            continue;
        xml += "    <waypoint>\n";
        xml += base::xmlElement(6, "identifier", point.ident);
        xml += base::xmlElement(6, "type", point.type);
        // The country code is the ICAO region (K6, ED), which the database
        // does not hold; empty lets the unit match on identifier and type.
        xml += "      <country-code />\n";
        xml += base::xmlElement(6, "lat", base::formatFixed(point.latitude, 6));
        xml += base::xmlElement(6, "lon", base::formatFixed(point.longitude, 6));
        xml += base::xmlElement(6, "comment", point.comment);
        xml += "    </waypoint>\n";
    }
    xml += "  </waypoint-table>\n";
    xml += "  <route>\n";
    xml += base::xmlElement(4, "route-name", fplText(points.front().ident + " TO " + points.back().ident));
    xml += base::xmlElement(4, "flight-plan-index", "1");
    for (const FplPoint& point : points) {
        xml += "    <route-point>\n";
        xml += base::xmlElement(6, "waypoint-identifier", point.ident);
        xml += base::xmlElement(6, "waypoint-type", point.type);
        xml += "      <waypoint-country-code />\n";
        xml += "    </route-point>\n";
    }
    xml += "  </route>\n</flight-plan>\n";
    return xml;
}

}  // namespace flightplan
