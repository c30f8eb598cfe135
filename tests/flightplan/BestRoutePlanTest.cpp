// SPDX-License-Identifier: GPL-3.0-or-later
// The altitude the best route is searched at follows the semicircular rule
// on the magnetic course, not the true one: where the two fall either side
// of north or south, the rule gives the other altitude.

#include "flightplan/BestRoutePlan.h"
#include "flightplan/MagneticModel.h"

#include <GeographicLib/Geodesic.hpp>
#include <gtest/gtest.h>

using namespace flightplan;

namespace {

const MagneticModel& wmm()
{
    static const MagneticModel model = MagneticModel::load(MERIDANE_WMM_TEST_FILE);
    return model;
}

Waypoint airport(const char* ident, double latitude, double longitude, double elevationFt)
{
    Waypoint p;
    p.ident = ident;
    p.kind = WaypointKind::Airport;
    p.latitude = latitude;
    p.longitude = longitude;
    p.elevationFt = elevationFt;
    return p;
}

}  // namespace

TEST(BestRoutePlan, SearchAltitudeFollowsTheMagneticCourse)
{
    // Declinations from the charts of 2025: New York about 13 degrees west,
    // Seattle about 15 east, Denver about 7.5 east. Eastbound (magnetic
    // 0-179) flies odd thousands and 500 ft, westbound even ones, at least
    // 1,500 ft above the higher airport.
    const struct {
        const char* what;
        Waypoint from;
        double trueCourse;
        int expectedFt;
    } cases[] = {
        {"New York, true 175 is magnetic 188", airport("KJFK", 40.6398, -73.7789, 13), 175, 2500},
        {"New York, true 355 is magnetic 8", airport("KJFK", 40.6398, -73.7789, 13), 355, 3500},
        {"Seattle, true 185 is magnetic 170", airport("KSEA", 47.4502, -122.3088, 433), 185, 3500},
        {"Seattle, true 8 is magnetic 353", airport("KSEA", 47.4502, -122.3088, 433), 8, 2500},
        {"Denver, true 183 is magnetic 175", airport("KDEN", 39.8617, -104.6731, 5434), 183, 7500},
        {"Denver, true 0 is magnetic 352", airport("KDEN", 39.8617, -104.6731, 5434), 0, 8500},
    };
    PlanOptions options;
    options.date = CivilDate{2025, 6, 1};
    for (const auto& c : cases) {
        double latitude = 0.0, longitude = 0.0;
        GeographicLib::Geodesic::WGS84().Direct(c.from.latitude, c.from.longitude, c.trueCourse, 150 * 1852.0,
                                                latitude, longitude);
        const Waypoint to = airport("DEST", latitude, longitude, 0);
        EXPECT_EQ(bestRouteSearchAltitudeFt(c.from, to, options, wmm()), c.expectedFt) << c.what;
        PlanOptions given = options;
        given.cruiseFt = 4000;
        EXPECT_EQ(bestRouteSearchAltitudeFt(c.from, to, given, wmm()), 4000) << c.what;
    }
}
