// SPDX-License-Identifier: GPL-3.0-or-later
// The best route planned from the stations' cache is the route planned from
// the database: with the cache empty, full, damaged, and after the database
// changed under it.

#include "data/ConnectionString.h"
#include "flightplan/MagneticModel.h"
#include "planning/PlanBuilder.h"

#include "tests/support/FixtureDb.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

using namespace flightplan;

namespace {

class BestPlanCacheTest : public NavDbTest {
protected:
    void SetUp() override
    {
        NavDbTest::SetUp();
        if (const char* old = std::getenv("XDG_CACHE_HOME"))
            m_oldCacheHome = old;
        setenv("XDG_CACHE_HOME", (m_dir->path() + "/cache").c_str(), 1);
    }
    void TearDown() override
    {
        if (m_oldCacheHome)
            setenv("XDG_CACHE_HOME", m_oldCacheHome->c_str(), 1);
        else
            unsetenv("XDG_CACHE_HOME");
    }

    std::string CacheDir() const { return m_dir->path() + "/cache/meridane"; }

    // Each time with a builder of its own, as a planner started anew.
    FlightPlan BestPlan()
    {
        PlanOptions options;
        options.date = CivilDate{2025, 1, 1};
        options.routeKind = RouteKind::Best;
        options.navaids = coverage::Navaids::VorNdb;
        options.cruiseFt = 4500;
        planning::PlanBuilder builder(*db(), [] { return MagneticModel::load(MERIDANE_WMM_TEST_FILE); });
        return builder.buildPlan({RouteIds{1, {}, 2}, options});
    }

    void Reopen()
    {
        m_db = std::make_unique<CDatabase>();
        ASSERT_TRUE(m_db->Open(nullptr, false, true, NAVDB_CONNECT_STRING, true));
    }

    std::optional<std::string> m_oldCacheHome;
};

// Beacons round Fiji and Samoa, on both sides of 180 degrees: a VOR near
// each airport and NDBs between.
std::string FijiToSamoa()
{
    return AirportRow(1, "NFFN", "Nadi", "S", 17, 75.0, "E", 177, 44.0) +
           AirportRow(2, "NSFA", "Faleolo", "S", 13, 83.0, "W", 172, 0.0) +
           "INSERT INTO airport_facts VALUES (1,-17.755,177.443,NULL,'FJ'),(2,-13.83,-172.008,NULL,'WS');" +
           NavRow(7, "Nausori", "S", 18, 0.0, "E", 178, 0.0, "VOR", "112.5", "20") +
           NavRow(8, "Faleolo", "S", 13, 50.0, "W", 171, 99.0, "VOR", "113.1", "10") +
           NavRow(9, "Lakeba", "S", 18, 0.0, "W", 178, 0.0, "NDB", "338.0", "30") +
           NavRow(10, "Niuatoputapu", "S", 15, 0.0, "W", 174, 0.0, "NDB", "415.0", "40") +
           "INSERT INTO nav_facts VALUES (7,-18.0,178.0,'FJ',12),(8,-13.84,-171.99,'WS',13),"
           "(9,-17.1,-179.9,'FJ',NULL),(10,-15.9,-175.6,'TO',NULL);"
           "INSERT INTO nav_coverage VALUES (7,'H',130),(8,'L',40);"
           "INSERT INTO ndb_coverage VALUES (9,'HH',75),(10,'HH',75);";
}

}  // namespace

TEST_F(BestPlanCacheTest, TheSameRouteFromAnEmptyAFullAndADamagedCache)
{
    Build(FijiToSamoa());
    const FlightPlan cold = BestPlan();
    ASSERT_EQ(DirectoryEntries(CacheDir()).size(), 2u);
    const FlightPlan warm = BestPlan();
    EXPECT_EQ(warm.route, cold.route);
    EXPECT_EQ(warm.uncoveredNm, cold.uncoveredNm);
    ASSERT_EQ(warm.waypoints.size(), cold.waypoints.size());
    for (std::size_t i = 0; i < cold.waypoints.size(); ++i) {
        EXPECT_EQ(warm.waypoints[i].kind, cold.waypoints[i].kind);
        EXPECT_EQ(warm.waypoints[i].frequency, cold.waypoints[i].frequency);
        EXPECT_EQ(warm.waypoints[i].latitude, cold.waypoints[i].latitude);
    }
    // The NDBs between the islands are flown, west across 180 degrees.
    EXPECT_NE(cold.route.find("N9"), std::string::npos) << cold.route;

    for (const std::string& name : DirectoryEntries(CacheDir()))
        std::ofstream(CacheDir() + "/" + name, std::ios::binary | std::ios::trunc) << "damaged";
    const FlightPlan mended = BestPlan();
    EXPECT_EQ(mended.route, cold.route);
    EXPECT_EQ(mended.uncoveredNm, cold.uncoveredNm);
    for (const std::string& name : DirectoryEntries(CacheDir())) {
        std::ifstream in(CacheDir() + "/" + name, std::ios::binary | std::ios::ate);
        EXPECT_GT(in.tellg(), 100) << name << " written anew";
    }
}

// An NDB added to the database after the cache was written is flown: the
// cache of the database as it was is not believed.
TEST_F(BestPlanCacheTest, AStationAddedSinceIsFlown)
{
    Build(FijiToSamoa());
    const FlightPlan before = BestPlan();
    EXPECT_EQ(before.route.find("N11"), std::string::npos);
    m_db.reset();
    ExecuteSqlScript(NAVDB_FILE_NAME, NavRow(11, "Midway", "S", 15, 0.0, "W", 178, 0.0, "NDB", "300.0", "0") +
                                          "INSERT INTO nav_facts VALUES (11,-16.5,-177.8,'FJ',NULL);"
                                          "INSERT INTO ndb_coverage VALUES (11,'HH',75);");
    Reopen();
    const FlightPlan after = BestPlan();
    EXPECT_NE(after.route.find("N11"), std::string::npos) << after.route;
    EXPECT_LT(after.uncoveredNm, before.uncoveredNm);
}
