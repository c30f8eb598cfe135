// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/follow/TestPlans.h"

#include "flying/FlightFollower.h"
#include "flying/FollowText.h"
#include "follow/NavStrip.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <limits>

namespace {

flying::FollowFrame frameAt(flying::FlightFollower& follower, const follow::GeoPoint& p, double gs)
{
    simlink::AircraftSample sample;
    sample.latitude = p.latitude;
    sample.longitude = p.longitude;
    sample.altitudeFt = 4500.4;
    sample.groundSpeedKt = gs;
    sample.nav1.radialDeg = 343.0;
    sample.nav1.fromFlag = true;
    return follower.update(sample);
}

}  // namespace

// The same moment in the terminal's line, its JSON object and the window's
// strip: the beacon behind with its radial, the needle's side, cross-track
// and time to go.
TEST(FollowText, LineJsonAndStripSayTheSame)
{
    const flightplan::FlightPlan plan = testplans::newEngland();
    flying::FlightFollower follower(plan);
    // 5 nm out of CCC, 0.5 nm right of the course to MAD.
    const flying::FollowFrame frame = frameAt(follower, testplans::offLeg(plan, 1, 5.0, 0.5), 120.0);
    const double toGo = plan.legs[1].distanceNm - 5.0;
    char tail[64];
    std::snprintf(tail, sizeof tail, "  XTK 0.5 R  to go %.1f nm %.1f min", toGo, toGo / 2.0);

    const std::string line = flying::followTextLine(plan, frame);
    EXPECT_EQ(line.rfind("leg 1 CCC-MAD  CCC 117.2  radial ", 0), 0u) << line;
    EXPECT_NE(line.find(" FROM  CDI -2.9"), std::string::npos) << line;
    EXPECT_EQ(line.substr(line.size() - std::string(tail).size()), tail) << line;

    const nlohmann::json o = nlohmann::json::parse(flying::followJsonLine(plan, frame, "connected"));
    EXPECT_EQ(o["leg"], 1);
    EXPECT_EQ(o["from"], "CCC");
    EXPECT_EQ(o["to"], "MAD");
    EXPECT_EQ(o["station"], "CCC");
    EXPECT_EQ(o["frequency"], "117.2");
    EXPECT_EQ(o["to_from"], "FROM");
    // atan(0.5 / 5) is 5.71 degrees: 2.86 dots to the left.
    EXPECT_NEAR(o["cdi_dots"].get<double>(), -2.86, 0.01);
    EXPECT_NEAR(o["xtk_nm"].get<double>(), 0.5, 1e-9);
    EXPECT_NEAR(o["to_go_nm"].get<double>(), toGo, 0.006);
    EXPECT_NEAR(o["ete_min"].get<double>(), toGo / 2.0, 0.06);
    EXPECT_EQ(o["alt_ft"], 4500.0);
    EXPECT_EQ(o["nav1"]["radial"], 343.0);
    EXPECT_EQ(o["nav1"]["to_from"], "FROM");
    EXPECT_EQ(o["link"], "connected");
    EXPECT_EQ(o["arrived"], false);

    const flying::StripLines strip = flying::followStripLines(plan, frame);
    EXPECT_EQ(strip.leg.rfind("Leg 2 of 5: CCC \u2192 MAD \u00b7 tune CCC 117.2, OBS ", 0), 0u) << strip.leg;
    EXPECT_NE(strip.needle.find("FROM \u00b7 CDI \u00b7\u00b7\u25c6\u00b7\u00b7|\u00b7\u00b7\u00b7\u00b7\u00b7 \u22122.9 \u00b7 XTK 0.5 nm R"),
              std::string::npos)
        << strip.needle;

    // Standing still: no time; no figure is ever "nan" in the JSON.
    const flying::FollowFrame parked =
        frameAt(follower, testplans::offLeg(plan, 1, 6.0, 0.0), std::numeric_limits<double>::quiet_NaN());
    const std::string json = flying::followJsonLine(plan, parked, "No FlightGear answers on localhost:5401 \xff");
    EXPECT_EQ(json.find("nan"), std::string::npos);
    const nlohmann::json p = nlohmann::json::parse(json);
    EXPECT_TRUE(p["ete_min"].is_null());
    EXPECT_TRUE(p["gs_kt"].is_null());
    EXPECT_NE(flying::followTextLine(plan, parked).find(" -- min"), std::string::npos);
}

TEST(FollowText, TheNeedleGaugeClampsAtFullScale)
{
    EXPECT_EQ(flying::cdiGauge(0.0), "\u00b7\u00b7\u00b7\u00b7\u00b7\u25c6\u00b7\u00b7\u00b7\u00b7\u00b7");
    EXPECT_EQ(flying::cdiGauge(5.0), "\u00b7\u00b7\u00b7\u00b7\u00b7|\u00b7\u00b7\u00b7\u00b7\u25c6");
    EXPECT_EQ(flying::cdiGauge(-9.0), "\u25c6\u00b7\u00b7\u00b7\u00b7|\u00b7\u00b7\u00b7\u00b7\u00b7");
    EXPECT_EQ(flying::cdiGauge(std::nan("")), flying::cdiGauge(0.0));
}

// An NDB at a leg's end is tuned on the ADF, in kHz and without a course;
// the bearing to hold is the leg's QDR leaving it and QDM reaching it, and
// no radial or needle is read from it. Its VOR neighbours still set NAV1.
TEST(FollowText, AnNdbEndIsTunedOnTheAdf)
{
    flightplan::FlightPlan plan = testplans::newEngland();
    // MAD becomes an NDB on 338 kHz.
    flightplan::Waypoint& mad = plan.waypoints[plan.legs[2].from];
    ASSERT_EQ(mad.ident, "MAD");
    mad.kind = flightplan::WaypointKind::Ndb;
    mad.frequency = "338.0";
    flightplan::Leg& into = plan.legs[1];
    flightplan::Leg& outOf = plan.legs[2];
    into.radialTo.reset();
    into.qdmTo = 247.0;
    outOf.radialFrom.reset();
    outOf.qdrFrom = 71.0;
    ASSERT_TRUE(outOf.changeoverNm);

    const follow::NavStrip leaving =
        follow::navStrip(plan, 2, testplans::offLeg(plan, 2, *outOf.changeoverNm - 1.0, 0.5), 120.0);
    ASSERT_TRUE(leaving.station);
    EXPECT_TRUE(leaving.station->ndb);
    EXPECT_DOUBLE_EQ(leaving.station->courseDeg, 71.0);
    EXPECT_FALSE(leaving.vor.radial);
    EXPECT_FALSE(leaving.vor.cdiDots);
    const std::optional<simlink::TuneCommand> adf = flying::tuneCommandFor(*leaving.station);
    ASSERT_TRUE(adf);
    EXPECT_EQ(adf->radio, simlink::Radio::Adf1);
    EXPECT_DOUBLE_EQ(adf->frequency, 338.0);
    EXPECT_FALSE(adf->courseDeg);

    const follow::NavStrip arriving = follow::navStrip(plan, 1, testplans::offLeg(plan, 1, into.distanceNm - 1.0, 0.0), 120.0);
    ASSERT_TRUE(arriving.station);
    EXPECT_TRUE(arriving.station->ndb && arriving.station->ahead);
    EXPECT_DOUBLE_EQ(arriving.station->courseDeg, 247.0);

    // Past the changeover the VOR ahead is tuned on NAV1 as before.
    const follow::NavStrip past =
        follow::navStrip(plan, 2, testplans::offLeg(plan, 2, *outOf.changeoverNm + 1.0, 0.0), 120.0);
    ASSERT_TRUE(past.station);
    EXPECT_FALSE(past.station->ndb);
    EXPECT_EQ(flying::tuneCommandFor(*past.station)->radio, simlink::Radio::Nav1);

    // What an ADF takes: 190 to 1750 kHz.
    const struct {
        const char* text;
        std::optional<double> khz;
    } cases[] = {{"338", 338.0}, {"338.0", 338.0}, {"415.5", 415.5}, {"190", 190.0}, {"1750", 1750.0},
                 {"189.9", std::nullopt}, {"1750.5", std::nullopt}, {"114.5", std::nullopt}, {"", std::nullopt},
                 {"338 kHz", std::nullopt}, {"nan", std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(follow::adfFrequencyKhz(c.text), c.khz) << c.text;
}
