// SPDX-License-Identifier: GPL-3.0-or-later
#include "flightplan/BestRoutePlan.h"
#include "flightplan/MagneticModel.h"
#include "flightplan/PlanCalculation.h"
#include "flightplan/PlanError.h"

#include <GeographicLib/Geodesic.hpp>
#include "tests/support/TestWaypoints.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace flightplan;

namespace {

Waypoint point(const char* ident, WaypointKind kind, double latitude, double longitude)
{
    return Waypoint{ident, ident, kind, latitude, longitude, {}, {}, {}, 0, {}, {}, false, {}};
}

PlanOptions on2025()
{
    PlanOptions options;
    options.date = CivilDate{2025, 1, 1};
    return options;
}

}  // namespace

// Independent figures: GeographicLib's documented geodesic from JFK to LHR
// (5,551,759.4 m, initial azimuth 51.1989 deg) and KJFK to KBOS at about
// 162 nm on the charts.
TEST(PlanCalculation, LegFiguresMatchPublishedGeodesicsAndTheEmptyRouteFliesDirect)
{
    PlanOptions options = on2025();
    options.trueAirspeedKt = 120;
    options.cruiseFt = 9000;
    FlightPlan ocean = computePlan({point("JFK", WaypointKind::Airport, 40.6, -73.8),
                                    point("LHR", WaypointKind::Airport, 51.6, -0.5)},
                                   options, testsupport::testMagneticModel());
    ASSERT_EQ(ocean.legs.size(), 1u);
    EXPECT_NEAR(ocean.legs[0].distanceNm, 5551759.4 / 1852.0, 0.01);
    EXPECT_NEAR(ocean.legs[0].courseTrue.value_or(-1), 51.198883, 1e-5);
    EXPECT_NEAR(ocean.legs[0].eteMinutes, 5551759.4 / 1852.0 / 2.0, 0.01);
    EXPECT_NEAR(ocean.totalMinutes, ocean.legs[0].eteMinutes, 1e-9);
    EXPECT_EQ(ocean.cruiseFt, 9000);
    EXPECT_TRUE(ocean.cruiseGivenByUser);

    FlightPlan direct = computePlan({point("KJFK", WaypointKind::Airport, 40.639801, -73.7789),
                                     point("KBOS", WaypointKind::Airport, 42.3643, -71.005203)},
                                    on2025(), testsupport::testMagneticModel());
    EXPECT_NEAR(direct.totalNm, 162.0, 1.0);
    // The magnetic course is the true one less the declination at the start.
    EXPECT_NEAR(direct.legs[0].courseMagnetic.value() - direct.legs[0].courseTrue.value(), 12.62, 0.1);
    EXPECT_EQ(direct.route, "KJFK DCT KBOS");
    EXPECT_EQ(direct.routeItem15, "DCT");
    EXPECT_FALSE(direct.legs[0].radialFrom || direct.legs[0].radialTo || direct.legs[0].frequency);
}

// On one meridian every true bearing is 0 or 180, so each radial is that
// less the station's declination: V1's stored +5.0, and for V2, which has
// none stored, the model's -12.62 at its place (a published check value).
TEST(PlanCalculation, RadialsUseEachStationsOwnDeclination)
{
    Waypoint v1 = point("V1", WaypointKind::Vor, 40.30, -73.78);
    v1.declination = 5.0;
    v1.frequency = "113.1";
    Waypoint v2 = point("V2", WaypointKind::Vor, 40.64, -73.78);
    v2.frequency = "115.9";
    v2.elevationFt = 4100;  // the highest point: cruise at least 5,600 ft
    const FlightPlan plan = computePlan(
        {point("AAAA", WaypointKind::Airport, 40.0, -73.78), v1, v2, point("BBBB", WaypointKind::Airport, 41.0, -73.78)},
        on2025(), testsupport::testMagneticModel());
    ASSERT_EQ(plan.legs.size(), 3u);
    EXPECT_FALSE(plan.legs[0].radialFrom);
    EXPECT_NEAR(*plan.legs[0].radialTo, 175.0, 1e-6);
    EXPECT_NEAR(*plan.legs[1].radialFrom, 355.0, 1e-6);
    EXPECT_NEAR(*plan.legs[1].radialTo, 180.0 + 12.62, 0.05);
    EXPECT_NEAR(*plan.legs[2].radialFrom, 12.62, 0.05);
    EXPECT_FALSE(plan.legs[2].radialTo);
    EXPECT_EQ(plan.legs[0].frequency, "113.1");
    EXPECT_EQ(plan.legs[1].frequency, "115.9");
    EXPECT_EQ(plan.legs[2].frequency, "115.9");
    EXPECT_EQ(plan.route, "AAAA DCT V1 DCT V2 BBBB");
    EXPECT_EQ(plan.routeItem15, "DCT V1 DCT V2");
    EXPECT_EQ(plan.cruiseFt, 7500);  // northbound, magnetic about 013: odd
    EXPECT_FALSE(plan.cruiseGivenByUser);
}

TEST(PlanCalculation, SemicircularRuleAndElevationFloor)
{
    const struct {
        double course, elevation;
        int cruise;
    } cases[] = {
        {179.0, 0, 1500}, {180.0, 0, 2500}, {179.4, 0, 1500}, {179.5, 0, 2500}, {359.6, 0, 1500},
        {90, 2000, 3500}, {90, 2001, 5500}, {270, 2000, 4500}, {270, 3001, 6500},
    };
    for (const auto& c : cases)
        EXPECT_EQ(semicircularCruiseFt(c.course, c.elevation), c.cruise) << c.course << " over " << c.elevation;
}

namespace {

Waypoint field(const char* ident, double latitude, double longitude, double elevationFt)
{
    Waypoint p = point(ident, WaypointKind::Airport, latitude, longitude);
    p.elevationFt = elevationFt;
    return p;
}

}  // namespace

// The semicircular rule reads the magnetic course, so the legs chosen here
// have true and magnetic courses either side of 180 (New York's declination
// is about 13 W, Sydney's about 13 E); the floor is the highest elevation
// of the route, wherever it lies.
TEST(PlanCalculation, CruiseFollowsTheMagneticCourseAndTheHighestPoint)
{
    const struct {
        const char* what;
        Waypoint from, to;
        int cruiseFt;
    } cases[] = {
        // true about 175, magnetic about 188: even thousands
        {"south out of New York", field("KJFK", 40.64, -73.78, 0), field("SEA", 39.0, -73.6, 0), 2500},
        // true about 186, magnetic about 173: odd thousands
        {"south out of Sydney", field("YSSY", -33.95, 151.18, 0), field("SEA", -36.0, 150.9, 0), 1500},
        // the high end first: 5,000 ft + 1,500 ft clearance, northbound
        {"north off a high field", field("HIGH", 40.0, -73.78, 5000), field("LOW", 41.0, -73.78, 100), 7500},
        {"north onto a high field", field("LOW", 40.0, -73.78, 100), field("HIGH", 41.0, -73.78, 5000), 7500},
        // magnetic about 355 (5 E): even; 900 ft floor
        {"below sea level", field("DEAD", 31.5, 35.5, -1400), field("LOW", 32.5, 35.5, -600), 2500},
    };
    PlanOptions options;
    options.date = CivilDate{2025, 6, 1};
    for (const auto& c : cases)
        EXPECT_EQ(computePlan({c.from, c.to}, options, testsupport::testMagneticModel()).cruiseFt, c.cruiseFt) << c.what;
}

// WMM2025 holds from 2025.0 until 2030.0; outside, the plan says that its
// magnetic figures are extrapolated.
TEST(PlanCalculation, ADateOutsideTheMagneticModelsYearsIsNoted)
{
    const struct {
        CivilDate date;
        bool noted;
    } cases[] = {
        {{2024, 12, 31}, true}, {{2025, 1, 1}, false}, {{2029, 12, 31}, false}, {{2030, 1, 1}, true}, {{2090, 6, 1}, true},
    };
    for (const auto& c : cases) {
        PlanOptions options;
        options.date = c.date;
        const FlightPlan plan = computePlan({point("KJFK", WaypointKind::Airport, 40.64, -73.78),
                                             point("KBOS", WaypointKind::Airport, 42.36, -71.01)},
                                            options, testsupport::testMagneticModel());
        EXPECT_EQ(!plan.magneticNote.empty(), c.noted) << c.date.year << "-" << c.date.month << "-" << c.date.day;
        if (c.noted) {
            EXPECT_NE(plan.magneticNote.find("WMM-2025 (2025.0 to 2030.0)"), std::string::npos) << plan.magneticNote;
            EXPECT_NE(plan.magneticNote.find("extrapolated"), std::string::npos) << plan.magneticNote;
        }
    }
}

// Below a knot the times of a long leg leave every clock.
TEST(PlanCalculation, GroundSpeedsFromOneToTwoThousandKnots)
{
    const struct {
        double knots;
        bool accepted;
    } cases[] = {
        {1.0, true}, {2000.0, true}, {0.999, false}, {2000.001, false}, {1e-300, false}, {0.0, false}, {-110.0, false},
        {std::numeric_limits<double>::quiet_NaN(), false}, {std::numeric_limits<double>::infinity(), false},
    };
    for (const auto& c : cases) {
        PlanOptions options = on2025();
        options.trueAirspeedKt = c.knots;
        auto plan = [&] {
            return computePlan({point("KJFK", WaypointKind::Airport, 40.64, -73.78),
                                point("YSSY", WaypointKind::Airport, -33.95, 151.18)},
                               options, testsupport::testMagneticModel());
        };
        if (c.accepted)
            EXPECT_TRUE(std::isfinite(plan().totalMinutes)) << c.knots;
        else
            EXPECT_THROW(plan(), PlanError) << c.knots;
    }
}

// A leg of a few hundred feet has no direction to fly: an airport to the
// beacon on its field, an airport to itself. Distances along a meridian at
// 40 degrees north, where a degree of latitude is 111,035 m.
TEST(PlanCalculation, ALegShorterThanATwentiethOfAMileHasNoCourseOrRadial)
{
    const double degreesPerNm = 1852.0 / 111035.0;
    const struct {
        const char* what;
        double nm;
        WaypointKind middle;
        bool course;
    } cases[] = {
        {"the same point", 0.0, WaypointKind::Airport, false},
        {"a beacon on the field", 0.045, WaypointKind::Vor, false},
        {"a beacon just far enough", 0.055, WaypointKind::Vor, true},
        {"an airport next door", 0.055, WaypointKind::Airport, true},
    };
    for (const auto& c : cases) {
        Waypoint near = point("NEAR", c.middle, 40.0 + c.nm * degreesPerNm, -73.78);
        near.frequency = "113.1";
        const FlightPlan plan = computePlan({point("AAAA", WaypointKind::Airport, 40.0, -73.78), near,
                                             point("BBBB", WaypointKind::Airport, 40.0, -75.5)},
                                            on2025(), testsupport::testMagneticModel());
        const Leg& shortLeg = plan.legs[0];
        EXPECT_NEAR(shortLeg.distanceNm, c.nm, 0.001) << c.what;
        EXPECT_EQ(shortLeg.courseTrue.has_value(), c.course) << c.what;
        EXPECT_EQ(shortLeg.courseMagnetic.has_value(), c.course) << c.what;
        EXPECT_EQ(shortLeg.radialTo.has_value(), c.course && c.middle == WaypointKind::Vor) << c.what;
        if (c.course) {
            EXPECT_NEAR(*shortLeg.courseTrue, 0.0, 1e-6) << c.what;
        }
        // The leg beyond keeps its figures; the route's own direction, west,
        // sets the cruise (even thousands), not the short leg north.
        EXPECT_NEAR(plan.legs[1].courseTrue.value_or(-1), 270.0, 1.0) << c.what;
        EXPECT_EQ(plan.cruiseFt, 2500) << c.what;
    }
}

// The semicircular rule reads the direction from departure to destination,
// whatever the first leg does: out of KJFK the half mile to the beacon on
// the field runs south-east, yet the flight to KLAX is westbound. A round
// trip has no such direction and takes its first leg's; a plan that never
// leaves its airport is flown as if eastbound.
TEST(PlanCalculation, TheRoutesOwnDirectionSetsTheCruiseNotItsFirstLeg)
{
    const Waypoint jfk = point("KJFK", WaypointKind::Airport, 40.6398, -73.7789);
    const Waypoint lax = point("KLAX", WaypointKind::Airport, 33.9425, -118.4081);
    Waypoint onField = point("JFK", WaypointKind::Vor, 40.6329, -73.7714);  // about 0.5 nm, course 140
    Waypoint westOfJfk = point("WEST", WaypointKind::Vor, 40.7, -74.6);
    Waypoint eastOfLax = point("EAST", WaypointKind::Vor, 34.0, -117.0);
    const struct {
        const char* what;
        std::vector<Waypoint> route;
        int cruiseFt;
    } cases[] = {
        {"westbound over a beacon south-east of the field", {jfk, onField, westOfJfk, lax}, 2500},
        {"eastbound with a first leg west", {lax, point("L2", WaypointKind::Vor, 33.9, -118.9), eastOfLax, jfk}, 1500},
        {"south-east Australia, first leg north-east", {point("YSSY", WaypointKind::Airport, -33.95, 151.18),
                                                     point("NE", WaypointKind::Vor, -33.5, 152.5),
                                                     point("YMML", WaypointKind::Airport, -37.67, 144.84)}, 2500},
        {"a round trip east, then back", {jfk, point("E", WaypointKind::Vor, 40.64, -72.0), jfk}, 1500},
        {"a round trip west, then back", {jfk, westOfJfk, jfk}, 2500},
        {"never leaving the field", {jfk, jfk}, 1500},
    };
    for (const auto& c : cases)
        EXPECT_EQ(computePlan(c.route, on2025(), testsupport::testMagneticModel()).cruiseFt, c.cruiseFt) << c.what;
}

// The best route is searched at the semicircular altitude of the direct
// magnetic course, not the true one: where the two fall either side of
// north or south, the rule gives the other altitude.
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
        {"New York, true 175 is magnetic 188", field("KJFK", 40.6398, -73.7789, 13), 175, 2500},
        {"New York, true 355 is magnetic 8", field("KJFK", 40.6398, -73.7789, 13), 355, 3500},
        {"Seattle, true 185 is magnetic 170", field("KSEA", 47.4502, -122.3088, 433), 185, 3500},
        {"Seattle, true 8 is magnetic 353", field("KSEA", 47.4502, -122.3088, 433), 8, 2500},
        {"Denver, true 183 is magnetic 175", field("KDEN", 39.8617, -104.6731, 5434), 183, 7500},
        {"Denver, true 0 is magnetic 352", field("KDEN", 39.8617, -104.6731, 5434), 0, 8500},
    };
    PlanOptions options;
    options.date = CivilDate{2025, 6, 1};
    for (const auto& c : cases) {
        double latitude = 0.0, longitude = 0.0;
        GeographicLib::Geodesic::WGS84().Direct(c.from.latitude, c.from.longitude, c.trueCourse, 150 * 1852.0,
                                                latitude, longitude);
        const Waypoint to = field("DEST", latitude, longitude, 0);
        EXPECT_EQ(bestRouteSearchAltitudeFt(c.from, to, options, testsupport::testMagneticModel()), c.expectedFt) << c.what;
        PlanOptions given = options;
        given.cruiseFt = 4000;
        EXPECT_EQ(bestRouteSearchAltitudeFt(c.from, to, given, testsupport::testMagneticModel()), 4000) << c.what;
    }
}
