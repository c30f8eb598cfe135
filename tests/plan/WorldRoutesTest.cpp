// SPDX-License-Identifier: GPL-3.0-or-later
// The planner on the whole world's navigation data, as the repository keeps
// it: the best route against the listed one over a table of airport pairs
// in every quarter of the world and across the antimeridian.
#include "tests/support/CommandOutput.h"
#include "tests/support/FixtureDb.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <string>

namespace {

class WorldRoutes : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new ScratchDirectory;
        const std::string snapshot = MERIDANE_SNAPSHOT_DIR;
        const std::string command = std::string("'") + MERIDANE_NAVDB_EXE + "' --ourairports '" + snapshot +
                                    "/ourairports' --xplane-nav '" + snapshot +
                                    "/xplane/nav.dat.gz' --output VORS.MDB >/dev/null 2>import.err";
        s_imported = std::system(command.c_str()) == 0;
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }

    static ScratchDirectory* s_dir;
    static bool s_imported;
};

ScratchDirectory* WorldRoutes::s_dir = nullptr;
bool WorldRoutes::s_imported = false;

}  // namespace

// At default settings, and with the simulator's ranges, the best route
// never leaves more of the way out of reception than the listed one and
// never cruises lower (before, KJFK-KLAX flew its best route at 5,500 ft
// with 505 nm uncovered against the listed 17 nm at 8,500 ft).
TEST_F(WorldRoutes, TheBestRouteIsNeverWorseCoveredNorLowerThanTheListedOne)
{
    ASSERT_TRUE(s_imported) << CommandOutput("cat import.err");
    const struct {
        const char* from;
        const char* to;
        bool simulatorToo;
    } pairs[] = {
        {"KJFK", "KLAX", true},  {"KLAX", "KJFK", false}, {"KSFO", "KSEA", true},  {"YSSY", "YMML", true},
        {"YMML", "YSSY", false}, {"EGLL", "LFPG", false}, {"NFFN", "NSFA", true},  {"PAFA", "UHMA", false},
        {"FHSH", "FACT", false}, {"SCEL", "SAEZ", false}, {"RJTT", "RJFF", false}, {"VIDP", "VABB", false},
        {"WSSS", "WMKK", false}, {"KDEN", "KORD", false}, {"NZAA", "NZCH", false}, {"SBGR", "SBGL", false},
    };
    for (const auto& pair : pairs) {
        for (const char* ranges : {"standard", "simulator"}) {
            if (std::string(ranges) == "simulator" && !pair.simulatorToo)
                continue;
            const std::string route = std::string(pair.from) + "-" + pair.to + " " + ranges;
            const std::string out = CommandOutput(std::string("'") + MERIDANE_PLAN_EXE +
                                                  "' --db VORS.MDB --compare --format json --ranges " + ranges +
                                                  " " + pair.from + " " + pair.to + " 2>/dev/null");
            const auto both = nlohmann::json::parse(out, nullptr, false);
            ASSERT_FALSE(both.is_discarded()) << route << ": " << out;
            const auto& listed = both["listed"];
            const auto& best = both["best"];
            EXPECT_LE(best["uncovered_nm"].get<double>(), listed["uncovered_nm"].get<double>())
                << route << "\n" << listed["route"] << "\n" << best["route"];
            EXPECT_GE(best["cruise_ft"].get<int>(), listed["cruise_ft"].get<int>()) << route;
            // Both keep the semicircular rule of the same direction.
            EXPECT_EQ(best["cruise_ft"].get<int>() / 1000 % 2, listed["cruise_ft"].get<int>() / 1000 % 2) << route;
        }
    }
}
