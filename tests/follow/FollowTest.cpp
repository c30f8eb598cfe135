// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/follow/TestPlans.h"

#include "follow/LegSequencer.h"
#include "follow/NavStrip.h"

#include <GeographicLib/Geodesic.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

using namespace follow;

namespace {

constexpr double DEG = 180.0 / 3.14159265358979323846;

double angleDiff(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

// The radial by GeographicLib alone: the azimuth from the station to the
// position, less the station's declination.
double independentRadial(const flightplan::Waypoint& station, double declination, const GeoPoint& p)
{
    double s12, azi1, azi2;
    GeographicLib::Geodesic::WGS84().Inverse(station.latitude, station.longitude, p.latitude, p.longitude, s12, azi1,
                                             azi2);
    return std::fmod(azi1 - declination + 720.0, 360.0);
}

// The station's declination as the plan's radial of the leg from it shows it.
double declinationFromPlan(const flightplan::FlightPlan& plan, std::size_t waypoint)
{
    for (const flightplan::Leg& leg : plan.legs)
        if (leg.from == waypoint && leg.radialFrom)
            return *leg.courseTrue - *leg.radialFrom;
    return std::numeric_limits<double>::quiet_NaN();
}

struct StripCase {
    const char* name;
    std::function<flightplan::FlightPlan()> plan;
    std::size_t leg;
    double along;  // from the leg's start; negative: the leg's length less this
    double right;
    const char* station;
    ToFrom flag;
};

class StripAgainstGeometry : public ::testing::TestWithParam<StripCase> {};

}  // namespace

// Positions built by GeographicLib's direct problem at a known distance
// along the leg and square off it; the needle checked against the flat
// angle the offset subtends at the station, which the figures hold to well
// within a hundredth of a dot at these distances.
TEST_P(StripAgainstGeometry, FiguresMatchTheIndependentComputation)
{
    const StripCase& c = GetParam();
    const flightplan::FlightPlan plan = c.plan();
    const flightplan::Leg& leg = plan.legs.at(c.leg);
    const double along = c.along >= 0 ? c.along : leg.distanceNm + c.along;
    const GeoPoint p = testplans::offLeg(plan, c.leg, along, c.right);

    const NavStrip strip = navStrip(plan, c.leg, p, 150.0);
    EXPECT_NEAR(strip.progress.alongNm, along, 0.005);
    EXPECT_NEAR(strip.progress.toGoNm, leg.distanceNm - along, 0.005);
    EXPECT_NEAR(strip.progress.crossTrackNm, c.right, 0.002);
    ASSERT_TRUE(strip.eteMinutes);
    EXPECT_NEAR(*strip.eteMinutes, std::max(leg.distanceNm - along, 0.0) / 150.0 * 60.0, 0.01);
    ASSERT_TRUE(strip.station);
    EXPECT_EQ(strip.station->ident, c.station);
    EXPECT_EQ(toFromText(strip.vor.toFrom), std::string(toFromText(c.flag)));
    if (c.flag == ToFrom::Off) {
        EXPECT_FALSE(strip.vor.radial);
        EXPECT_FALSE(strip.vor.cdiDots);
        return;
    }

    const flightplan::Waypoint& station = plan.waypoints[strip.station->waypoint];
    const bool ahead = strip.station->ahead;
    // The course to set: the plan's outbound radial, or the reciprocal of its inbound one.
    const double course = ahead ? std::fmod(*leg.radialTo + 180.0, 360.0) : *leg.radialFrom;
    EXPECT_NEAR(angleDiff(strip.station->courseDeg, course), 0.0, 1e-9);
    const double declination = station.declination ? *station.declination
                                                   : declinationFromPlan(plan, strip.station->waypoint);
    ASSERT_TRUE(strip.vor.radial);
    EXPECT_LT(angleDiff(*strip.vor.radial, independentRadial(station, declination, p)), 1e-6);

    const double fromStation = ahead ? leg.distanceNm - along : along;
    const double offDeg = std::atan2(std::fabs(c.right), fromStation) * DEG;
    // Right of the course the needle points left, whichever way the station lies.
    const double expectedDots = std::clamp(c.right > 0 ? -offDeg : offDeg, -10.0, 10.0) / 2.0;
    ASSERT_TRUE(strip.vor.cdiDots);
    EXPECT_NEAR(*strip.vor.cdiDots, expectedDots, 0.01) << "off " << offDeg << " deg";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StripAgainstGeometry,
    ::testing::Values(
        StripCase{"NorthWestFromBehind", testplans::newEngland, 1, 8.0, 2.0, "CCC", ToFrom::From},
        StripCase{"NorthWestToAheadLeftOfCourse", testplans::newEngland, 2, -12.0, -1.0, "PUT", ToFrom::To},
        StripCase{"NorthWestFullScale", testplans::newEngland, 2, -12.0, -4.0, "PUT", ToFrom::To},
        StripCase{"NearlyAbeamTheEnd", testplans::newEngland, 3, -0.5, 4.0, "BOS", ToFrom::To},
        StripCase{"OverTheStation", testplans::newEngland, 2, 0.0, 0.0, "MAD", ToFrom::Off},
        StripCase{"SouthEastModelDeclination", testplans::newSouthWales, 2, 20.0, 1.5, "BWE", ToFrom::From},
        StripCase{"SouthEastInbound", testplans::newSouthWales, 1, -15.0, -0.5, "BWE", ToFrom::To},
        StripCase{"AirportLegFromBeacon", testplans::newSouthWales, 3, 0.2, 0.0, "CB", ToFrom::From},
        StripCase{"AcrossTheAntimeridianFrom", testplans::acrossTheDateLine, 2, 16.0, 2.0, "EAS", ToFrom::From},
        StripCase{"AcrossTheAntimeridianTo", testplans::acrossTheDateLine, 2, -20.0, -2.5, "WES", ToFrom::To},
        StripCase{"BeforeTheStart", testplans::acrossTheDateLine, 1, -3.0, 1.0, "EAS", ToFrom::To}),
    [](const ::testing::TestParamInfo<StripCase>& info) { return std::string(info.param.name); });

// The station changes where the plan says: the beacon behind up to the
// changeover point, the one ahead from it; on the course both read the
// plan's radials.
TEST(NavStrip, ChangeoverPointSwitchesTheStation)
{
    const flightplan::FlightPlan plan = testplans::newEngland();
    const flightplan::Leg& leg = plan.legs[2];  // MAD to PUT
    ASSERT_TRUE(leg.changeoverNm);
    const NavStrip before = navStrip(plan, 2, testplans::offLeg(plan, 2, *leg.changeoverNm - 0.1, 0.0), 120.0);
    const NavStrip after = navStrip(plan, 2, testplans::offLeg(plan, 2, *leg.changeoverNm + 0.1, 0.0), 120.0);
    ASSERT_TRUE(before.station && after.station);
    EXPECT_EQ(before.station->ident, "MAD");
    EXPECT_EQ(after.station->ident, "PUT");
    EXPECT_EQ(before.vor.toFrom, ToFrom::From);
    EXPECT_EQ(after.vor.toFrom, ToFrom::To);
    EXPECT_LT(angleDiff(*before.vor.radial, *leg.radialFrom), 1e-6);
    EXPECT_LT(angleDiff(*after.vor.radial, *leg.radialTo), 1e-6);
    EXPECT_NEAR(*before.vor.cdiDots, 0.0, 1e-6);
    EXPECT_NEAR(*after.vor.cdiDots, 0.0, 1e-6);
}

TEST(NavStrip, NoTimeWhenStandingAndNoStationBetweenAirports)
{
    const flightplan::FlightPlan plan = testplans::newEngland();
    const GeoPoint p = testplans::offLeg(plan, 1, 5.0, 0.0);
    EXPECT_FALSE(navStrip(plan, 1, p, 0.0).eteMinutes);
    EXPECT_FALSE(navStrip(plan, 1, p, std::numeric_limits<double>::quiet_NaN()).eteMinutes);
    EXPECT_TRUE(navStrip(plan, 1, p, 1.0).eteMinutes);

    flightplan::FlightPlan direct = plan;
    direct.waypoints = {plan.waypoints.front(), plan.waypoints.back()};
    direct.legs = {plan.legs[0]};
    direct.legs[0].to = 1;
    direct.legs[0].radialFrom.reset();
    direct.legs[0].radialTo.reset();
    EXPECT_FALSE(navStrip(direct, 0, p, 100.0).station);
}

TEST(NavStrip, FrequenciesANavReceiverTakes)
{
    EXPECT_DOUBLE_EQ(navFrequencyMhz("114.5").value_or(0), 114.5);
    EXPECT_DOUBLE_EQ(navFrequencyMhz("108.00").value_or(0), 108.0);
    EXPECT_DOUBLE_EQ(navFrequencyMhz("117.95").value_or(0), 117.95);
    EXPECT_FALSE(navFrequencyMhz("107.95"));
    EXPECT_FALSE(navFrequencyMhz("118.0"));
    EXPECT_FALSE(navFrequencyMhz("114.5 MHz"));
    EXPECT_FALSE(navFrequencyMhz(""));
    EXPECT_FALSE(navFrequencyMhz("nan"));
}

namespace {

// A flight along every leg of the plan, weaving up to 1.5 nm either side,
// a position every 2 nm; returns the active leg at each.
std::vector<std::size_t> fly(const flightplan::FlightPlan& plan, FollowState& state)
{
    std::vector<std::size_t> legs;
    int step = 0;
    for (std::size_t leg = 0; leg < plan.legs.size(); ++leg) {
        for (double along = 0.0; along < plan.legs[leg].distanceNm; along += 2.0, ++step) {
            const GeoPoint p = testplans::offLeg(plan, leg, along, 1.5 * std::sin(step * 0.7));
            state = advance(plan, state, p);
            legs.push_back(*state.leg);
        }
    }
    state = advance(plan, state, {plan.destination().latitude, plan.destination().longitude});
    return legs;
}

}  // namespace

TEST(LegSequencer, FliesEveryLegInOrderInBothHemispheresAndAcrossTheAntimeridian)
{
    for (const auto& make : {testplans::newEngland, testplans::newSouthWales, testplans::acrossTheDateLine}) {
        const flightplan::FlightPlan plan = make();
        FollowState state;
        const std::vector<std::size_t> legs = fly(plan, state);
        std::size_t highest = 0;
        std::vector<bool> seen(plan.legs.size(), false);
        for (std::size_t leg : legs) {
            EXPECT_GE(leg, highest) << plan.route;
            highest = std::max(highest, leg);
            seen[leg] = true;
        }
        // Legs shorter than the capture distance are passed in one update.
        for (std::size_t leg = 0; leg < plan.legs.size(); ++leg) {
            if (plan.legs[leg].distanceNm > 4.0) {
                EXPECT_TRUE(seen[leg]) << plan.route << " leg " << leg;
            }
        }
        EXPECT_TRUE(state.arrived) << plan.route;
        EXPECT_EQ(*state.leg, plan.legs.size() - 1);
    }
}

TEST(LegSequencer, AbeamCaptureGapsAndPicksByHand)
{
    const flightplan::FlightPlan plan = testplans::newEngland();
    // First position mid leg 2: following starts there.
    FollowState state = advance(plan, {}, testplans::offLeg(plan, 2, 20.0, 3.0));
    EXPECT_EQ(state.leg, 2u);
    // Abeam PUT 5 nm right of it, outside the capture distance: next leg.
    state = advance(plan, state, testplans::offLeg(plan, 2, plan.legs[2].distanceNm + 0.01, 5.0));
    EXPECT_EQ(state.leg, 3u);
    // Short of the end but within the capture distance (cutting a corner).
    FollowState corner = advance(plan, pickLeg(plan, 1), testplans::offLeg(plan, 1, 5.0, 0.0));
    corner = advance(plan, corner, testplans::offLeg(plan, 1, plan.legs[1].distanceNm - 0.9, 0.2));
    EXPECT_EQ(corner.leg, 2u);
    // Back on leg 1's line after leg 2 is active: never backwards.
    corner = advance(plan, corner, testplans::offLeg(plan, 1, 10.0, 0.0));
    EXPECT_EQ(corner.leg, 2u);
    // A gap in the updates: from leg 1 straight to the middle of leg 3.
    FollowState gap = advance(plan, pickLeg(plan, 1), testplans::offLeg(plan, 1, 5.0, 0.0));
    gap = advance(plan, gap, testplans::offLeg(plan, 3, 10.0, -1.0));
    EXPECT_EQ(gap.leg, 3u);
    // The pilot picks leg 1 again while over leg 3: the pick holds.
    FollowState picked = advance(plan, pickLeg(plan, 1), testplans::offLeg(plan, 3, 11.0, -1.0));
    EXPECT_EQ(picked.leg, 1u);
    picked = advance(plan, picked, testplans::offLeg(plan, 3, 12.0, -1.0));
    EXPECT_EQ(picked.leg, 1u);
    EXPECT_EQ(pickLeg(plan, 99).leg, plan.legs.size() - 1);
    // A position that is no place leaves the state alone.
    const FollowState same =
        advance(plan, state, {std::numeric_limits<double>::quiet_NaN(), 0.0});
    EXPECT_EQ(same.leg, state.leg);
}
