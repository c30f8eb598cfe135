// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flightplan/FlightPlan.h"

#include <string>
#include <string_view>

namespace flightplan {

// Pieces the per-format adapt steps share.

// The ASCII letters and digits of text, upper-cased, at most maxLength of
// them: what the simulators' identifier fields take.
std::string upperAlphanumeric(std::string_view text, std::size_t maxLength);

// Whether an airport ident is one the simulators' own databases know: three
// or four letters and digits (ICAO codes, and the local codes they carry).
// Others, such as the importer's generated "US-0042", are written as user
// waypoints at the airport's position.
bool isDatabaseAirportIdent(std::string_view ident);

// Whether a waypoint is written as what it is (an airport or VOR the
// simulator looks up) rather than as a user waypoint.
bool isKnownToSimulators(const Waypoint& point);

// What a format calls each kind of waypoint, and what it calls a place the
// simulators do not know and that it writes as a bare position.
template <typename Type>
struct WaypointTypes {
    Type user, vor, ndb, airport;
};

template <typename Type>
Type waypointType(const Waypoint& point, const WaypointTypes<Type>& types)
{
    return !isKnownToSimulators(point)       ? types.user
           : point.kind == WaypointKind::Vor ? types.vor
           : point.kind == WaypointKind::Ndb ? types.ndb
                                             : types.airport;
}

// The ident a format writes for a waypoint: its ident's letters and digits,
// at most maxLength, or "WPT" and its 1-based position when none is left.
std::string formatIdent(const Waypoint& point, std::size_t index, std::size_t maxLength);

// Elevation in feet, 0 when unknown.
double elevationOrZero(const Waypoint& point);

// The altitude a format gives a waypoint: an airport at its field elevation
// (0 when unknown), a beacon at the plan's cruise.
double waypointAltitudeFt(const FlightPlan& plan, const Waypoint& point);

// "2025-06-01T00:00:00Z": the plan's date at midnight UTC.
std::string isoTimestamp(const CivilDate& date);

}  // namespace flightplan
