// SPDX-License-Identifier: GPL-3.0-or-later
// A plan that flies by NDBs, in the southern hemisphere and across the
// antimeridian: what the pilot tunes and holds on each leg, the coverage of
// a leg with a VOR at one end and an NDB at the other, and the exports as
// readers other than ours see them.
#include "flightplan/MagneticModel.h"
#include "flightplan/PlanCalculation.h"
#include "flightplan/formats/FormatWriters.h"
#include "flightplan/formats/Formats.h"

#include "tests/support/CommandOutput.h"
#include "tests/support/FixtureDb.h"

#include "tests/support/TestWaypoints.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>
#include <sstream>

using namespace flightplan;

namespace {

using testsupport::waypoint;

// Nadi, its VOR, an H-class NDB at Suva, a compass locator on a half kHz
// east of 180° and an airfield beside it.
FlightPlan fijiPlan()
{
    Waypoint nffn = waypoint("NFFN", WaypointKind::Airport, -17.755399, 177.443001, "127.3");
    nffn.elevationFt = 59;
    Waypoint nan = waypoint("NAN", WaypointKind::Vor, -17.7531, 177.4457, "112.5");
    nan.serviceClass = 'L';
    nan.elevationFt = 60;
    nan.declination = 12.0;
    Waypoint su = waypoint("SU", WaypointKind::Ndb, -18.3000, 179.1000, "354.0");
    su.ndbClass = coverage::NdbClass::H;
    Waypoint tv = waypoint("TV", WaypointKind::Ndb, -18.2000, -178.8200, "415.5");
    tv.ndbClass = coverage::NdbClass::Locator;
    Waypoint field = waypoint("NFNL", WaypointKind::Airport, -18.1990, -178.8170, nullptr);
    PlanOptions options;
    options.date = CivilDate{2025, 6, 1};
    options.cruiseFt = 6500;
    options.routeKind = RouteKind::Best;
    options.navaids = coverage::Navaids::VorNdb;
    return computePlan({nffn, nan, su, tv, field}, options, testsupport::testMagneticModel());
}

// The initial bearing on a sphere, which lies within a few tenths of a
// degree of the ellipsoid's at these distances.
double sphericalBearing(double lat1, double lon1, double lat2, double lon2)
{
    const double r = std::acos(-1.0) / 180.0;
    const double y = std::sin((lon2 - lon1) * r) * std::cos(lat2 * r);
    const double x = std::cos(lat1 * r) * std::sin(lat2 * r) - std::sin(lat1 * r) * std::cos(lat2 * r) * std::cos((lon2 - lon1) * r);
    return std::fmod(std::atan2(y, x) / r + 360.0, 360.0);
}

double angleBetween(double a, double b)
{
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

std::string trimmed(std::string text)
{
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

std::string xpath(const std::string& file, const std::string& expression)
{
    return trimmed(CommandOutput("xmllint --xpath \"" + expression + "\" " + file + " 2>&1"));
}

}  // namespace

TEST(NdbPlan, WhatThePilotTunesAndHoldsOnEachLeg)
{
    const FlightPlan plan = fijiPlan();
    ASSERT_EQ(plan.legs.size(), 4u);
    const Leg& toNdb = plan.legs[1];    // NAN (VOR) to SU (NDB)
    const Leg& between = plan.legs[2];  // SU to TV, across 180°
    const Leg& last = plan.legs[3];     // TV to the field

    struct Case {
        const char* what;
        std::string found, expected;
    };
    const Case cases[] = {
        {"VOR leg", tuneText(plan.legs[0]), "112.5"},
        {"to an NDB", tuneText(toNdb), "ADF 354"},
        {"half a kHz", tuneText(between), "ADF 415.5"},
        {"leaving an NDB for an airport", tuneText(last), "ADF 415.5"},
        {"VOR end keeps its radial", outboundBearingText(toNdb).substr(0, 2), "R-"},
        {"NDB end has a QDM", inboundBearingText(toNdb).substr(0, 4), "QDM "},
        {"leaving an NDB: QDR", outboundBearingText(between).substr(0, 4), "QDR "},
        {"an airport end has none", inboundBearingText(last), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.found, c.expected) << c.what;
    EXPECT_EQ(plan.legs[0].radio, Radio::Nav);
    EXPECT_EQ(toNdb.radio, Radio::Adf);
    EXPECT_EQ(last.radio, Radio::Adf);
    EXPECT_FALSE(toNdb.radialTo);
    EXPECT_FALSE(between.radialFrom);

    // The QDR is the magnetic course flown away from the station; the QDM
    // the course on arrival, against the variation at the station.
    const double year = decimalYear(plan.date);
    const Waypoint& su = plan.waypoints[2];
    const Waypoint& tv = plan.waypoints[3];
    EXPECT_NEAR(*between.qdrFrom, *between.courseMagnetic, 1e-9);
    const double arrival = std::fmod(sphericalBearing(tv.latitude, tv.longitude, su.latitude, su.longitude) + 180.0, 360.0);
    EXPECT_LT(angleBetween(*between.qdmTo, arrival - testsupport::testMagneticModel().declination(tv.latitude, tv.longitude, year)), 0.3);
    EXPECT_LT(angleBetween(*toNdb.qdmTo,
                           std::fmod(sphericalBearing(su.latitude, su.longitude, -17.7531, 177.4457) + 180.0, 360.0) -
                               testsupport::testMagneticModel().declination(su.latitude, su.longitude, year)),
              0.3);
}

// A leg's coverage counts either end's station: NAN (low class at
// 6,500 ft, 40 nm) and SU (50 nm) share the leg in that proportion.
TEST(NdbPlan, ALegWithAVorAtOneEndAndAnNdbAtTheOther)
{
    const FlightPlan plan = fijiPlan();
    EXPECT_EQ(plan.waypoints[1].rangeNm, 40.0);
    EXPECT_EQ(plan.waypoints[2].rangeNm, 50.0);
    EXPECT_EQ(plan.waypoints[3].rangeNm, 15.0);  // a locator, whatever the altitude
    const Leg& leg = plan.legs[1];
    ASSERT_GT(leg.distanceNm, 90.0);
    EXPECT_NEAR(leg.uncoveredNm, leg.distanceNm - 90.0, 1e-9);
    EXPECT_NEAR(*leg.changeoverNm, leg.distanceNm * 40.0 / 90.0, 1e-9);
    const std::string table = writeLegTable(plan);
    EXPECT_NE(table.find("without a receivable VOR or NDB"), std::string::npos) << table;
    EXPECT_NE(table.find("SU QDM "), std::string::npos) << table;
    EXPECT_NE(table.find("NAN R-"), std::string::npos) << table;
    // The narrow coverage heading names both receivers, and a VOR route's
    // keeps its own.
    EXPECT_EQ(legTableColumns(plan).back().compact, std::string("VOR/NDB"));
    FlightPlan byVor = plan;
    byVor.navaids = coverage::Navaids::Vor;
    EXPECT_EQ(legTableColumns(byVor).back().compact, std::string("VOR"));
}

TEST(NdbPlan, JsonNamesTheNdbsTheirKilohertzAndRanges)
{
    const nlohmann::json json = nlohmann::json::parse(writeJson(fijiPlan()));
    EXPECT_EQ(json["navaids"], "vor+ndb");
    const nlohmann::json& su = json["waypoints"][2];
    EXPECT_EQ(su["kind"], "ndb");
    EXPECT_EQ(su["frequency_khz"], 354.0);
    EXPECT_EQ(su["range_nm"], 50.0);
    EXPECT_EQ(su["ndb_class"], "H");
    EXPECT_EQ(json["waypoints"][3]["frequency_khz"], 415.5);
    EXPECT_EQ(json["waypoints"][1]["kind"], "vor");
    EXPECT_EQ(json["waypoints"][1].count("frequency_khz"), 0u);
    EXPECT_EQ(json["legs"][0]["radio"], "nav");
    EXPECT_EQ(json["legs"][1]["radio"], "adf");
    EXPECT_TRUE(json["legs"][1]["qdm_to"].is_number());
    EXPECT_EQ(json["legs"][1]["radial_to"], nullptr);
    EXPECT_TRUE(json["legs"][2]["qdr_from"].is_number());
}

// Each export carries the NDBs as NDBs, read back by other programs.
TEST(NdbPlan, ExportsCarryNdbsAsNdbs)
{
    ScratchDirectory dir;
    const FlightPlan plan = fijiPlan();
    for (const char* file : {"fj.fms", "fj.pln", "fj.fpl", "fj.gpx", "fj.fgfp"})
        exportPlan(plan, file);
    int status = -1;
    const std::string gpx = CommandOutput("gpsbabel -r -i gpx -f fj.gpx -o gpx -F fj-babel.gpx 2>&1", &status);
    ASSERT_EQ(status, 0) << gpx;
    const std::string ns = "*[local-name()='";
    const struct {
        const char* what;
        std::string found, expected;
    } cases[] = {
        {"X-Plane NDB rows", trimmed(CommandOutput("awk '$1 == 2 {print $2}' fj.fms | tr '\\n' ' '")), "SU TV "},
        {"X-Plane VOR row", trimmed(CommandOutput("awk '$1 == 3 {print $2, $5}' fj.fms")), "NAN -17.753100"},
        {"MSFS NDB waypoints", xpath("fj.pln", "string(//ATCWaypoint[ATCWaypointType='NDB'][2]/@id)"), "TV"},
        {"MSFS kinds", xpath("fj.pln", "concat(count(//ATCWaypoint[ATCWaypointType='NDB']), count(//ATCWaypoint[ATCWaypointType='VOR']))"), "21"},
        {"Garmin waypoint table",
         xpath("fj.fpl", "count(//" + ns + "waypoint'][" + ns + "type']='NDB'])"), "2"},
        {"Garmin route points",
         xpath("fj.fpl", "string(//" + ns + "route-point'][3]/" + ns + "waypoint-type'])"), "NDB"},
        {"GPX through gpsbabel", xpath("fj-babel.gpx", "string(//" + ns + "rtept'][3]/" + ns + "type'])"), "NDB"},
        {"GPX east of 180°", xpath("fj-babel.gpx", "string(//" + ns + "rtept'][4]/@lon)").substr(0, 8), "-178.820"},
        {"GPX kHz", xpath("fj-babel.gpx", "string(//" + ns + "rtept'][4]/" + ns + "desc'])"), "TV 415.5 kHz"},
        {"FlightGear navaids",
         xpath("fj.fgfp", "concat(/PropertyList/route/wp[3]/type, ' ', /PropertyList/route/wp[3]/ident)"), "navaid SU"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.found, c.expected) << c.what;
    for (const char* file : {"fj.pln", "fj.fpl", "fj.fgfp"})
        EXPECT_EQ(CommandOutput(std::string("xmllint --noout ") + file + " 2>&1"), "") << file;
}
