// SPDX-License-Identifier: GPL-3.0-or-later
// meridane-plan --follow against a stand-in FlightGear.
#include "tests/support/FixtureDb.h"
#include "tests/support/LoopbackPort.h"
#include "tests/simlink/StandInFlightGear.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

// Runs meridane-plan with `args`; its output in follow.out and follow.err.
int RunPlan(const std::string& args)
{
    const std::string command = "XDG_DATA_HOME=\"$PWD/xdg\" '" MERIDANE_PLAN_EXE "' " + args +
                                " >follow.out 2>follow.err";
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

class FollowCommandTest : public NavDbTest {
protected:
    std::string World() const override
    {
        return AirportRow(1, "AAAA", "Start", "S", 10, 0, "E", 10, 0) +
               AirportRow(2, "BBBB", "Goal", "S", 10, 0, "E", 12, 0) +
               NavRow(1, "One", "S", 10, 5, "E", 11, 0, "VOR", "113.1", "45") +
               "INSERT INTO airport_facts VALUES (1,-10.0,10.0,'AAA','XX'),(2,-10.0,12.0,NULL,'XX');"
               "INSERT INTO nav_facts VALUES (1,-10.0833,11.0,'XX',3.0);";
    }
};

}  // namespace

// The aircraft flies the plan in the stand-in, a little faster than real:
// the planner prints an object a line with the fields scripts read,
// sequences both legs, tunes the beacon and stops at the destination.
TEST_F(FollowCommandTest, JsonLinesAlongTheFlightAndTuning)
{
    ASSERT_EQ(RunPlan("--format json AAAA BBBB"), 0) << ReadWholeFile("follow.err");
    const nlohmann::json plan = nlohmann::json::parse(ReadWholeFile("follow.out"));
    ASSERT_EQ(plan["legs"].size(), 2u);

    standin::StandInFlightGear fg;
    fg.setProperty("/velocities/groundspeed-kt", "3600");
    fg.setProperty("/position/altitude-ft", "4500");
    fg.setProperty("/position/latitude-deg", "-10.0");
    fg.setProperty("/position/longitude-deg", "10.0");
    std::atomic<bool> done{false};
    std::thread flight([&] {
        // Along the chain of waypoints in straight steps of lat and lon.
        std::vector<std::pair<double, double>> points = {{-10.0, 10.0}, {-10.0833, 11.0}, {-10.0, 12.0}};
        for (std::size_t leg = 0; leg + 1 < points.size() && !done; ++leg) {
            for (int step = 1; step <= 8 && !done; ++step) {
                const double f = step / 8.0;
                fg.setProperty("/position/latitude-deg",
                               std::to_string(points[leg].first + f * (points[leg + 1].first - points[leg].first)));
                fg.setProperty("/position/longitude-deg",
                               std::to_string(points[leg].second + f * (points[leg + 1].second - points[leg].second)));
                std::this_thread::sleep_for(std::chrono::milliseconds(1100));
            }
        }
    });
    const int status = RunPlan("--follow flightgear:127.0.0.1:" + std::to_string(fg.port()) +
                               " --tune --format json AAAA BBBB");
    done = true;
    flight.join();
    ASSERT_EQ(status, 0) << ReadWholeFile("follow.err");

    std::istringstream lines(ReadWholeFile("follow.out"));
    std::string line;
    int count = 0, highestLeg = 0;
    nlohmann::json last;
    while (std::getline(lines, line)) {
        const nlohmann::json o = nlohmann::json::parse(line);
        for (const char* field : {"lat", "lon", "alt_ft", "gs_kt", "leg", "from", "to", "station", "frequency",
                                  "radial", "to_from", "cdi_dots", "xtk_nm", "to_go_nm", "ete_min", "link"})
            EXPECT_TRUE(o.contains(field)) << field << " missing in " << line;
        EXPECT_EQ(o["link"], "connected");
        EXPECT_GE(o["leg"].get<int>(), highestLeg);
        highestLeg = std::max(highestLeg, o["leg"].get<int>());
        EXPECT_EQ(o["station"], "N1");
        EXPECT_EQ(o["frequency"], "113.1");
        last = o;
        ++count;
    }
    EXPECT_GE(count, 6);
    EXPECT_EQ(highestLeg, 1);
    EXPECT_EQ(last["arrived"], true);
    EXPECT_EQ(last["to"], "BBBB");
    const std::string err = ReadWholeFile("follow.err");
    EXPECT_NE(err.find("arrived at BBBB"), std::string::npos) << err;
    EXPECT_EQ(fg.property("/instrumentation/nav[0]/frequencies/selected-mhz"), "113.10");
    // Outbound from One on the second leg: the radial it flies, as the plan gives it.
    const double radialFrom = plan["legs"][1]["radial_from"];
    EXPECT_NEAR(std::stod(fg.property("/instrumentation/nav[0]/radials/selected-deg")), radialFrom, 0.06);
}

TEST_F(FollowCommandTest, ASilentSimulatorIsNamedUntilCtrlC)
{
    const int port = testsupport::unusedLoopbackPort();
    const std::string command = "XDG_DATA_HOME=\"$PWD/xdg\" '" MERIDANE_PLAN_EXE "' --follow flightgear:127.0.0.1:" +
                                std::to_string(port) +
                                " AAAA BBBB >follow.out 2>follow.err & pid=$!; sleep 3; kill -INT $pid; wait $pid";
    const int raw = std::system(command.c_str());
    const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    EXPECT_EQ(status, 0);
    const std::string err = ReadWholeFile("follow.err");
    EXPECT_NE(err.find("No FlightGear answers on 127.0.0.1:" + std::to_string(port)), std::string::npos) << err;
    EXPECT_NE(err.find("--telnet=socket,bi,10,127.0.0.1," + std::to_string(port) + ",tcp"), std::string::npos);
    EXPECT_EQ(ReadWholeFile("follow.out"), "");

    EXPECT_EQ(RunPlan("--follow msfs AAAA BBBB"), 2);
    EXPECT_EQ(RunPlan("--tune AAAA BBBB"), 2);
    EXPECT_EQ(RunPlan("--follow xplane:host:99999 AAAA BBBB"), 2);
}
