// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flightplan/FlightPlan.h"
#include "flightplan/MagneticModel.h"

#include <string>

namespace testsupport {

// A waypoint with its ident, name, kind, position and (when given) frequency;
// the rest as a new Waypoint has it, for the test to set.
inline flightplan::Waypoint waypoint(const std::string& ident, const std::string& name, flightplan::WaypointKind kind,
                                     double latitude, double longitude, const char* frequency = nullptr)
{
    flightplan::Waypoint p;
    p.ident = ident;
    p.name = name;
    p.kind = kind;
    p.latitude = latitude;
    p.longitude = longitude;
    if (frequency)
        p.frequency = frequency;
    return p;
}

// The same, named by its ident.
inline flightplan::Waypoint waypoint(const std::string& ident, flightplan::WaypointKind kind, double latitude,
                                     double longitude, const char* frequency = nullptr)
{
    return waypoint(ident, ident, kind, latitude, longitude, frequency);
}

#ifdef MERIDANE_WMM_TEST_FILE
// The magnetic model of the data snapshot, loaded once per test program.
inline const flightplan::MagneticModel& testMagneticModel()
{
    static const flightplan::MagneticModel model = flightplan::MagneticModel::load(MERIDANE_WMM_TEST_FILE);
    return model;
}
#endif

}  // namespace testsupport
