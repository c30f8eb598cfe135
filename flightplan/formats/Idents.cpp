// SPDX-License-Identifier: GPL-3.0-or-later
#include "flightplan/formats/Idents.h"

#include <glib.h>

#include <cstdio>

namespace flightplan {

std::string upperAlphanumeric(std::string_view text, std::size_t maxLength)
{
    std::string out;
    for (char c : text) {
        if (out.size() == maxLength)
            break;
        if (g_ascii_isalnum(c))
            out += g_ascii_toupper(c);
    }
    return out;
}

bool isDatabaseAirportIdent(std::string_view ident)
{
    if (ident.size() < 3 || ident.size() > 4)
        return false;
    for (char c : ident) {
        if (!g_ascii_isupper(c) && !g_ascii_isdigit(c))
            return false;
    }
    return true;
}

bool isKnownToSimulators(const Waypoint& point)
{
    return isBeacon(point.kind) || isDatabaseAirportIdent(point.ident);
}

std::string formatIdent(const Waypoint& point, std::size_t index, std::size_t maxLength)
{
    std::string ident = upperAlphanumeric(point.ident, maxLength);
    if (ident.empty())
        ident = upperAlphanumeric("WPT" + std::to_string(index + 1), maxLength);
    return ident;
}

double elevationOrZero(const Waypoint& point)
{
    return point.elevationFt ? *point.elevationFt : 0.0;
}

double waypointAltitudeFt(const FlightPlan& plan, const Waypoint& point)
{
    return point.kind == WaypointKind::Airport ? elevationOrZero(point) : plan.cruiseFt;
}

std::string isoTimestamp(const CivilDate& date)
{
    return isoDateText(date) + "T00:00:00Z";
}

}  // namespace flightplan
