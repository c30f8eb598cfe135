// SPDX-License-Identifier: GPL-3.0-or-later
#include "../follow/TestPlans.h"

#include "flying/FollowText.h"

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
