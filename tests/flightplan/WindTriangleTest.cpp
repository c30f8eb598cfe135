// SPDX-License-Identifier: GPL-3.0-or-later
#include "flightplan/MagneticModel.h"
#include "flightplan/PlanCalculation.h"
#include "flightplan/PlanError.h"
#include "flightplan/WindTriangle.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace flightplan;

// Expected figures worked out by hand: a head or tail wind only changes the
// ground speed; a wind square across the course is corrected by asin(W/V)
// and leaves sqrt(V^2 - W^2); otherwise GS = sqrt(V^2 - cross^2) - head.
TEST(WindTriangle, HeadTailAndCrossWindsTheWrapAndImpossibleWinds)
{
    const double crab20 = std::asin(0.2) * 180.0 / std::acos(-1.0);  // 11.537
    const struct {
        double course, airspeed, from, speed;
        bool possible;
        double correction, groundSpeed;
    } cases[] = {
        {90, 100, 90, 20, true, 0.0, 80.0},                       // head wind
        {90, 100, 270, 20, true, 0.0, 120.0},                     // tail wind
        {90, 100, 360, 20, true, -crab20, std::sqrt(9600.0)},     // from the left: turn left
        {90, 100, 0, 20, true, -crab20, std::sqrt(9600.0)},       // 0 is 360
        {90, 100, 180, 20, true, crab20, std::sqrt(9600.0)},      // from the right: turn right
        {350, 120, 10, 30, true, 4.9051, 91.3697},                // across north, course west of it
        {10, 120, 360, 30, true, -2.4881, 90.3426},               // and the other way round
        {90, 100, 0, 0, true, 0.0, 100.0},                        // calm
        {90, 100, 360, 99.9, true, -87.4374, std::sqrt(100.0 * 100.0 - 99.9 * 99.9)},  // nearly all crab
        {90, 100, 360, 100, false, 0, 0},                         // cross component equals the airspeed
        {90, 100, 90, 100, false, 0, 0},                          // head wind as fast as the aircraft
        {90, 100, 45, 150, false, 0, 0},                          // across and against: 106 kt across
        {90, 100, 90, 130, false, 0, 0},                          // blown backwards
        // Less than a knot over the ground is no flight: its time leaves
        // every clock. A knot exactly is the floor, as for the airspeed.
        {90, 100, 90, 99, true, 0.0, 1.0},
        {90, 100, 90, 99.5, false, 0, 0},
        {270, 1, 270, 0.5, false, 0, 0},
        // Nearly square across at the airspeed itself: the crab leaves a
        // ground speed of a few hundred-thousandths of a knot.
        {45.001, 50, 135, 50, false, 0, 0},
        {100, 50, 135, 50, false, 0, 0},
        {5, 1, 50, 1, false, 0, 0},
    };
    for (const auto& c : cases) {
        const auto result = correctForWind(c.course, c.airspeed, Wind{c.from, c.speed});
        ASSERT_EQ(result.has_value(), c.possible) << c.course << " " << c.from << "/" << c.speed;
        if (!result)
            continue;
        EXPECT_NEAR(result->correctionDeg, c.correction, 1e-3) << c.course << " " << c.from << "/" << c.speed;
        EXPECT_NEAR(result->groundSpeedKt, c.groundSpeed, 1e-3) << c.course << " " << c.from << "/" << c.speed;
    }
}

TEST(WindTriangle, WindsAsPilotsWriteThem)
{
    const struct {
        const char* text;
        bool valid;
        double from, speed;
        const char* shown;
    } cases[] = {
        {"270/25", true, 270, 25, "270/25"},  {"0/10", true, 0, 10, "360/10"}, {"360/10", true, 360, 10, "360/10"},
        {" 045 / 7.5 ", true, 45, 7.5, "045/8"}, {"090/0", true, 90, 0, "090/0"}, {"359.6/12", true, 359.6, 12, "360/12"},
        {"270", false, 0, 0, ""},            {"/25", false, 0, 0, ""},         {"270/", false, 0, 0, ""},
        {"-1/10", false, 0, 0, ""},          {"360.1/10", false, 0, 0, ""},    {"270/-1", false, 0, 0, ""},
        {"270/25/5", false, 0, 0, ""},       {"270/25kt", false, 0, 0, ""},    {"", false, 0, 0, ""},
        {"nan/5", false, 0, 0, ""},          {"270/inf", false, 0, 0, ""},
        // The strongest wind taken is 400 kt.
        {"270/400", true, 270, 400, "270/400"}, {"270/400.01", false, 0, 0, ""}, {"270/1e308", false, 0, 0, ""},
        {"000/999", false, 0, 0, ""},
    };
    for (const auto& c : cases) {
        const std::optional<Wind> wind = parseWind(c.text);
        ASSERT_EQ(wind.has_value(), c.valid) << '"' << c.text << '"';
        if (!wind)
            continue;
        EXPECT_EQ(wind->fromTrueDeg, c.from) << c.text;
        EXPECT_EQ(wind->speedKt, c.speed) << c.text;
        EXPECT_EQ(windText(*wind), c.shown) << c.text;
    }
}

namespace {

Waypoint airport(const char* ident, double latitude, double longitude)
{
    Waypoint p;
    p.ident = p.name = ident;
    p.latitude = latitude;
    p.longitude = longitude;
    return p;
}

}  // namespace

// Southern and eastern hemispheres: from Sydney south-west to Canberra and
// back north-east. The plan's error names the leg the wind forbids.
TEST(WindTriangle, APlanNamesTheLegAWindMakesImpossible)
{
    static const MagneticModel model = MagneticModel::load(MERIDANE_WMM_TEST_FILE);
    PlanOptions options;
    options.date = CivilDate{2026, 12, 31};
    options.trueAirspeedKt = 100;
    options.wind = Wind{230, 80};  // square against the leg to Canberra, behind the one back
    options.fuelBurnPerHour = 30;
    const Waypoint yssy = airport("YSSY", -33.9461, 151.177), yscb = airport("YSCB", -35.3069, 149.195);
    const FlightPlan home = computePlan({yscb, yssy}, options, model);
    ASSERT_EQ(home.legs.size(), 1u);
    EXPECT_GT(home.legs[0].groundSpeedKt, 170.0);
    EXPECT_NEAR(*home.fuelWithReserve - *home.fuelTotal, 22.5, 1e-9);
    EXPECT_NEAR(*home.fuelTotal, 30.0 * home.totalMinutes / 60.0, 1e-9);

    options.wind = Wind{230, 110};
    try {
        computePlan({yssy, airport("WAYP", -34.5, 150.5), yscb}, options, model);
        ADD_FAILURE() << "a wind as fast as the aircraft, against it, was accepted";
    } catch (const PlanError& e) {
        EXPECT_NE(std::string(e.what()).find("from YSSY to WAYP"), std::string::npos) << e.what();
    }
    // A leg of no length has no course to hold against any wind.
    EXPECT_NO_THROW(computePlan({yssy, yssy}, options, model));
}

// A wind as fast as a slow aircraft leaves the legs it blows against with
// no ground speed worth the name: the plan names the first such leg rather
// than printing a time of billions of hours. A wind beyond the limit is
// refused even where a caller did not parse it.
TEST(WindTriangle, AWindThatLeavesNoGroundSpeedOrIsTooStrongIsRefused)
{
    static const MagneticModel model = MagneticModel::load(MERIDANE_WMM_TEST_FILE);
    const Waypoint kjfk = airport("KJFK", 40.6398, -73.7789), klax = airport("KLAX", 33.9425, -118.4081);
    const struct {
        double airspeed;
        Wind wind;
        bool possible;
    } cases[] = {
        // As fast as the aircraft and anywhere ahead of the beam, the wind
        // leaves nothing (or a rounding error) over the ground.
        {50, {225, 50}, false},
        {50, {270, 50}, false},
        {50, {90, 50}, true},  // behind
        {1, {185, 1}, false},
        {1, {95, 1}, true},
        {110, {270, 400}, false},
        {500, {270, 400}, true},
        {500, {270, 400.5}, false},
        {500, {270, 1e308}, false},
    };
    for (const auto& c : cases) {
        PlanOptions options;
        options.date = CivilDate{2025, 6, 1};
        options.trueAirspeedKt = c.airspeed;
        options.wind = c.wind;
        if (c.possible) {
            const FlightPlan plan = computePlan({kjfk, klax}, options, model);
            EXPECT_GE(plan.legs[0].groundSpeedKt, MIN_GROUND_SPEED_KT) << windText(c.wind);
            EXPECT_LT(plan.totalMinutes, 2500.0 * 60.0) << windText(c.wind);
        } else {
            EXPECT_THROW(computePlan({kjfk, klax}, options, model), PlanError) << windText(c.wind);
        }
    }
}
