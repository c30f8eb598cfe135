// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/simlink/LinkRecorder.h"
#include "tests/simlink/StandInFlightGear.h"
#include "tests/simlink/StandInXPlane.h"
#include "tests/follow/TestPlans.h"
#include "tests/support/LoopbackPort.h"

#include "flying/FlightFollower.h"
#include "simlink/SimLink.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <set>
#include <thread>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

// A flight along the plan as a recording holds it: a position every few nm
// of each leg, weaving either side of the course, each with the leg it
// lies on and where, by construction.
struct RecordedPoint {
    std::size_t leg;
    double along, right;
    follow::GeoPoint position;
};

std::vector<RecordedPoint> recordedFlight(const flightplan::FlightPlan& plan, double spacingNm)
{
    std::vector<RecordedPoint> flight;
    int step = 0;
    for (std::size_t leg = 0; leg < plan.legs.size(); ++leg) {
        for (double along = 3.0; along < plan.legs[leg].distanceNm - 2.0; along += spacingNm, ++step) {
            const double right = 1.2 * std::sin(step * 1.3);
            flight.push_back({leg, along, right, testplans::offLeg(plan, leg, along, right)});
        }
    }
    return flight;
}

std::string fixed(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

void placeFlightGear(standin::StandInFlightGear& fg, const follow::GeoPoint& p)
{
    fg.setProperty("/position/latitude-deg", fixed(p.latitude, 9));
    fg.setProperty("/position/longitude-deg", fixed(p.longitude, 9));
}

bool at(const simlink::AircraftSample& s, const follow::GeoPoint& p, double tolerance)
{
    return std::fabs(s.latitude - p.latitude) < tolerance && std::fabs(s.longitude - p.longitude) < tolerance;
}

// Checks one frame of the follower against the recording, and tunes as
// auto-tune asks; returns the frequencies auto-tune sent.
void checkFrame(flying::FlightFollower& follower, simlink::SimLink& link, const simlink::AircraftSample& sample,
                const RecordedPoint& point, std::vector<simlink::TuneCommand>& tuned)
{
    const flying::FollowFrame& frame = follower.update(sample);
    ASSERT_TRUE(frame.state.leg);
    EXPECT_EQ(*frame.state.leg, point.leg) << "at " << point.along << " nm of leg " << point.leg;
    if (*frame.state.leg == point.leg) {
        EXPECT_NEAR(frame.strip.progress.alongNm, point.along, 0.005);
        EXPECT_NEAR(frame.strip.progress.crossTrackNm, point.right, 0.005);
        ASSERT_TRUE(frame.strip.eteMinutes);
        EXPECT_NEAR(*frame.strip.eteMinutes, (follower.plan().legs[point.leg].distanceNm - point.along) / 120.0 * 60.0,
                    0.01);
    }
    if (std::optional<simlink::TuneCommand> command = follower.takeAutoTune()) {
        link.tune(*command);
        tuned.push_back(*command);
    }
}

std::vector<double> frequenciesOf(const std::vector<simlink::TuneCommand>& commands)
{
    std::vector<double> frequencies;
    for (const simlink::TuneCommand& c : commands)
        frequencies.push_back(c.frequency);
    return frequencies;
}

}  // namespace

// The recorded flight replayed through a stand-in FlightGear: every leg in
// turn, the figures as constructed, the tune commands as property sets; on
// the way the server drops and comes back, sends garbage and cuts its
// replies in pieces.
TEST(FlightGearLink, ReplaysAFlightThroughDropsAndGarbage)
{
    standin::StandInFlightGear fg;
    fg.setProperty("/velocities/groundspeed-kt", "120.0");
    fg.setProperty("/position/altitude-ft", "5500.25");
    fg.setProperty("/instrumentation/nav[0]/radials/actual-deg", "-17");
    const flightplan::FlightPlan plan = testplans::newEngland();
    const std::vector<RecordedPoint> flight = recordedFlight(plan, 6.0);
    ASSERT_GT(flight.size(), 20u);
    placeFlightGear(fg, flight[0].position);

    LinkRecorder recorder;
    std::unique_ptr<simlink::SimLink> link =
        simlink::openLink(simlink::parseLinkAddress("flightgear:127.0.0.1:" + std::to_string(fg.port())),
                          recorder.handlers());
    simlink::LinkStatus status;
    ASSERT_TRUE(recorder.waitForStatus(simlink::LinkState::Connected, 5s, &status));
    EXPECT_EQ(status.message, "Connected to FlightGear on 127.0.0.1:" + std::to_string(fg.port()));

    flying::FlightFollower follower(plan);
    follower.setAutoTune(true);
    std::vector<simlink::TuneCommand> tuned;
    std::set<std::size_t> legs;
    for (std::size_t i = 0; i < flight.size(); ++i) {
        const RecordedPoint& point = flight[i];
        if (i == flight.size() / 3) {
            fg.drop();
            const auto dropped = Clock::now();
            ASSERT_TRUE(recorder.waitForStatus(simlink::LinkState::Lost, 4s, &status));
            EXPECT_LT(Clock::now() - dropped, 3s);
            EXPECT_NE(status.message.find("FlightGear on 127.0.0.1"), std::string::npos) << status.message;
            std::this_thread::sleep_for(500ms);
            fg.resume();
            ASSERT_TRUE(recorder.waitForStatus(simlink::LinkState::Connected, 5s));
        }
        fg.setGarbage(i > flight.size() / 2 && i < flight.size() * 3 / 4);
        fg.setTrickle(i % 5 == 4);
        placeFlightGear(fg, point.position);
        simlink::AircraftSample sample;
        ASSERT_TRUE(recorder.waitForSample([&](const auto& s) { return at(s, point.position, 1e-8); }, 5s, &sample))
            << "position " << i;
        EXPECT_DOUBLE_EQ(*sample.altitudeFt, 5500.25);
        EXPECT_DOUBLE_EQ(*sample.nav1.radialDeg, 343.0);
        checkFrame(follower, *link, sample, point, tuned);
        legs.insert(point.leg);
    }
    // The last commands arrive before the next batch.
    recorder.waitForSample([](const auto&) { return true; }, 2s);
    recorder.waitForSample([](const auto&) { return true; }, 2s);

    // Auto-tune: CCC for the first leg; on each leg between beacons the one
    // behind (its outbound radial) and from the changeover point the one
    // ahead (the leg to KBOS is too short for a position).
    EXPECT_EQ(legs.size(), plan.legs.size() - 1);
    EXPECT_EQ(frequenciesOf(tuned), (std::vector<double>{117.2, 117.2, 110.4, 110.4, 117.4, 117.4, 112.7}));
    std::vector<std::string> frequencySets, courseSets, expectedCourses;
    for (const std::string& set : fg.sets()) {
        const std::string value = set.substr(set.find('=') + 1);
        if (set.rfind("/instrumentation/nav[0]/frequencies/selected-mhz=", 0) == 0)
            frequencySets.push_back(value);
        if (set.rfind("/instrumentation/nav[0]/radials/selected-deg=", 0) == 0)
            courseSets.push_back(value);
    }
    EXPECT_EQ(frequencySets,
              (std::vector<std::string>{"117.20", "117.20", "110.40", "110.40", "117.40", "117.40", "112.70"}));
    for (const simlink::TuneCommand& command : tuned)
        expectedCourses.push_back(fixed(*command.courseDeg, 1));
    EXPECT_EQ(courseSets, expectedCourses);
    EXPECT_NEAR(*tuned[1].courseDeg, *plan.legs[1].radialFrom, 1e-9);
    EXPECT_NEAR(*tuned[2].courseDeg, std::fmod(*plan.legs[1].radialTo + 180.0, 360.0), 1e-9);

    // Closing the link is prompt.
    const auto closing = Clock::now();
    link.reset();
    EXPECT_LT(Clock::now() - closing, 1500ms);
}

TEST(FlightGearLink, SaysWhatToStartWhenNothingOrSomethingElseAnswers)
{
    const int freePort = testsupport::unusedLoopbackPort();

    LinkRecorder nobody;
    {
        auto link = simlink::openLink({simlink::SimulatorKind::FlightGear, "127.0.0.1", freePort}, nobody.handlers());
        simlink::LinkStatus status;
        ASSERT_TRUE(nobody.waitForStatus(simlink::LinkState::Lost, 3s, &status));
        const std::string where = "127.0.0.1:" + std::to_string(freePort);
        EXPECT_EQ(status.message.rfind("No FlightGear answers on " + where, 0), 0u) << status.message;
        EXPECT_NE(status.message.find("--telnet=socket,bi,10,127.0.0.1," + std::to_string(freePort) + ",tcp"),
                  std::string::npos);
    }

    // Something that speaks another protocol and never answers in ours.
    const int server = testsupport::boundLoopbackSocket(SOCK_STREAM);
    ASSERT_GE(server, 0);
    listen(server, 2);
    std::atomic<bool> done{false};
    std::thread other([&] {
        const int client = accept(server, nullptr, nullptr);
        const std::string junk = "HTTP/1.1 400 Bad Request\r\n\r\n" + std::string(100000, '\x7f') + "\0\0\0";
        send(client, junk.data(), junk.size(), MSG_NOSIGNAL);
        while (!done)
            std::this_thread::sleep_for(10ms);
        close(client);
    });
    LinkRecorder wrong;
    {
        auto link = simlink::openLink({simlink::SimulatorKind::FlightGear, "127.0.0.1", testsupport::boundPort(server)},
                                      wrong.handlers());
        simlink::LinkStatus status;
        ASSERT_TRUE(wrong.waitForStatus(simlink::LinkState::Lost, 4s, &status));
        EXPECT_NE(status.message.find("does not speak the property protocol"), std::string::npos) << status.message;
        EXPECT_EQ(wrong.sampleCount(), 0u);
    }
    done = true;
    other.join();
    close(server);
}

// The same flight through a stand-in X-Plane over UDP: subscriptions made,
// renewed after X-Plane quits and comes back with none (and misses one at
// first), ended on close; the
// tune commands as DREFs; garbage datagrams between the answers.
TEST(XPlaneLink, ReplaysAFlightThroughAQuitAndGarbage)
{
    standin::StandInXPlane xp;
    xp.setValue("sim/flightmodel/position/groundspeed", 120.0f * 1852.0f / 3600.0f);
    xp.setValue("sim/flightmodel/position/elevation", 1000.0f);
    const flightplan::FlightPlan plan = testplans::acrossTheDateLine();
    const std::vector<RecordedPoint> flight = recordedFlight(plan, 15.0);
    ASSERT_GT(flight.size(), 10u);
    auto place = [&](const follow::GeoPoint& p) {
        xp.setValue("sim/flightmodel/position/latitude", static_cast<float>(p.latitude));
        xp.setValue("sim/flightmodel/position/longitude", static_cast<float>(p.longitude));
    };
    place(flight[0].position);

    LinkRecorder recorder;
    auto link = simlink::openLink(simlink::parseLinkAddress("xplane:127.0.0.1:" + std::to_string(xp.port())),
                                  recorder.handlers());
    ASSERT_TRUE(recorder.waitForStatus(simlink::LinkState::Connected, 5s));
    EXPECT_EQ(xp.subscriptions().at("sim/flightmodel/position/latitude"), 5);

    flying::FlightFollower follower(plan);
    follower.setAutoTune(true);
    std::vector<simlink::TuneCommand> tuned;
    for (std::size_t i = 0; i < flight.size(); ++i) {
        if (i == flight.size() / 2) {
            xp.quit();
            const auto quit = Clock::now();
            simlink::LinkStatus status;
            ASSERT_TRUE(recorder.waitForStatus(simlink::LinkState::Lost, 4s, &status));
            EXPECT_LT(Clock::now() - quit, 3s);
            EXPECT_NE(status.message.find("X-Plane on 127.0.0.1"), std::string::npos) << status.message;
            // Back, but the latitude's subscription is missed: no sample may
            // carry the latitude from before the quit.
            xp.resume(1);
            ASSERT_TRUE(recorder.waitForStatus(simlink::LinkState::Connected, 5s));
        }
        xp.setGarbage(i % 3 == 1);
        place(flight[i].position);
        simlink::AircraftSample sample;
        // float32 on the wire: a few decimetres.
        ASSERT_TRUE(recorder.waitForSample([&](const auto& s) { return at(s, flight[i].position, 1e-5); }, 5s,
                                           &sample))
            << "position " << i;
        EXPECT_NEAR(*sample.groundSpeedKt, 120.0, 0.01);
        EXPECT_NEAR(*sample.altitudeFt, 3280.84, 0.01);
        // Float positions: the figures hold to a few metres.
        const flying::FollowFrame& frame = follower.update(sample);
        EXPECT_EQ(frame.state.leg, flight[i].leg);
        EXPECT_NEAR(frame.strip.progress.alongNm, flight[i].along, 0.005);
        EXPECT_NEAR(frame.strip.progress.crossTrackNm, flight[i].right, 0.005);
        if (std::optional<simlink::TuneCommand> command = follower.takeAutoTune()) {
            link->tune(*command);
            tuned.push_back(*command);
        }
    }
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(frequenciesOf(tuned), (std::vector<double>{112.5, 113.1, 113.1, 114.3, 114.3}));
    std::vector<std::string> drefs = xp.drefs();
    std::vector<std::string> frequencies;
    for (const std::string& d : drefs) {
        if (d.rfind("sim/cockpit2/radios/actuators/nav1_frequency_hz=", 0) == 0)
            frequencies.push_back(d.substr(d.find('=') + 1));
    }
    EXPECT_EQ(frequencies, (std::vector<std::string>{"11250", "11310", "11310", "11430", "11430"}));
    std::vector<std::string> courses;
    for (const std::string& d : drefs) {
        if (d.rfind("sim/cockpit2/radios/actuators/nav1_obs_deg_mag_pilot=", 0) == 0)
            courses.push_back(d.substr(d.find('=') + 1));
    }
    ASSERT_EQ(courses.size(), tuned.size());
    for (std::size_t i = 0; i < tuned.size(); ++i)
        EXPECT_NEAR(std::stod(courses[i]), *tuned[i].courseDeg, 0.001);
    EXPECT_EQ(xp.requestsWithBadPadding(), 0u);

    link.reset();
    std::this_thread::sleep_for(200ms);
    for (const auto& [path, rate] : xp.subscriptions())
        EXPECT_EQ(rate, 0) << path << " still subscribed after the link closed";
}

TEST(XPlaneLink, SaysWhatToStartWhenNothingAnswers)
{
    LinkRecorder recorder;
    auto link = simlink::openLink(
        {simlink::SimulatorKind::XPlane, "127.0.0.1", testsupport::unusedLoopbackPort(SOCK_DGRAM)},
        recorder.handlers());
    simlink::LinkStatus status;
    ASSERT_TRUE(recorder.waitForStatus(simlink::LinkState::Lost, 3500ms, &status));
    EXPECT_EQ(status.message.rfind("No X-Plane answers on 127.0.0.1:", 0), 0u) << status.message;
}

// "localhost" names ::1 before 127.0.0.1 on many machines; simulators
// listening on IPv4 alone must still be found.
TEST(SimLink, LocalhostReachesSimulatorsListeningOnIpv4)
{
    standin::StandInXPlane xp;
    xp.setValue("sim/flightmodel/position/latitude", 47.5f);
    xp.setValue("sim/flightmodel/position/longitude", 8.5f);
    LinkRecorder xpRecorder;
    auto xpLink = simlink::openLink(simlink::parseLinkAddress("xplane:localhost:" + std::to_string(xp.port())),
                                    xpRecorder.handlers());
    EXPECT_TRUE(xpRecorder.waitForStatus(simlink::LinkState::Connected, 5s));

    standin::StandInFlightGear fg;
    fg.setProperty("/position/latitude-deg", "47.5");
    fg.setProperty("/position/longitude-deg", "8.5");
    LinkRecorder fgRecorder;
    auto fgLink = simlink::openLink(simlink::parseLinkAddress("flightgear:localhost:" + std::to_string(fg.port())),
                                    fgRecorder.handlers());
    EXPECT_TRUE(fgRecorder.waitForStatus(simlink::LinkState::Connected, 5s));
}
