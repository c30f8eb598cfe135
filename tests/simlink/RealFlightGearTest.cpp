// SPDX-License-Identifier: GPL-3.0-or-later
// Against a real FlightGear: started headless when it is installed (or one
// already running, named by MERIDANE_TEST_FLIGHTGEAR=HOST:PORT), skipped
// with a message otherwise.
#include "tests/simlink/LinkRecorder.h"
#include "tests/follow/TestPlans.h"
#include "tests/support/LoopbackPort.h"

#include "flying/FlightFollower.h"
#include "simlink/FlightGearProtocol.h"
#include "simlink/SimLink.h"
#include "simlink/Socket.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

extern char** environ;

using namespace std::chrono_literals;

namespace {

const char* const FGFS = "/usr/games/fgfs";

// A FlightGear of our own, in its own process group, ended by its own quit
// command and, failing that, by a signal to that group.
class FlightGearProcess {
public:
    explicit FlightGearProcess(int port) : m_port(port)
    {
        const std::string script = std::string(MERIDANE_TEST_DATA_DIR) + "/simlink/start-flightgear.sh";
        const std::string home = std::string(MERIDANE_BINARY_DIR) + "/flightgear-home";
        m_log = std::string(MERIDANE_BINARY_DIR) + "/flightgear-test.log";
        const std::string portText = std::to_string(port);
        const char* argv[] = {"/bin/sh", script.c_str(), FGFS, portText.c_str(), home.c_str(), m_log.c_str(), nullptr};
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
        posix_spawnattr_setpgroup(&attributes, 0);
        if (posix_spawn(&m_pid, "/bin/sh", nullptr, &attributes, const_cast<char* const*>(argv), environ) != 0)
            m_pid = -1;
        posix_spawnattr_destroy(&attributes);
    }

    ~FlightGearProcess()
    {
        if (m_pid <= 0)
            return;
        std::string error;
        simlink::Socket socket = simlink::connectTcp("127.0.0.1", m_port, 2000, error);
        if (socket.isOpen())
            simlink::sendAll(socket, simlink::flightgear::greeting() + simlink::flightgear::quitRequest(), 1000);
        for (int i = 0; i < 300; ++i) {
            if (waitpid(m_pid, nullptr, WNOHANG) == m_pid)
                return;
            std::this_thread::sleep_for(100ms);
        }
        kill(-m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
    }

    bool started() const { return m_pid > 0; }
    const std::string& log() const { return m_log; }

private:
    int m_port;
    pid_t m_pid = -1;
    std::string m_log;
};

// One get at a time, for the checks (the link batches its own).
class PropertyClient {
public:
    PropertyClient(const std::string& host, int port)
    {
        std::string error;
        m_socket = simlink::connectTcp(host, port, 3000, error);
        if (m_socket.isOpen())
            simlink::sendAll(m_socket, "data\r\n", 1000);
    }
    void set(const std::string& path, const std::string& value)
    {
        simlink::sendAll(m_socket, "set " + path + " " + value + "\r\n", 1000);
    }
    std::string get(const std::string& path)
    {
        simlink::sendAll(m_socket, "get " + path + "\r\n", 1000);
        std::string line;
        char c;
        while (simlink::waitReadable(m_socket, 3000) && recv(m_socket.fd(), &c, 1, 0) == 1) {
            if (c == '\n')
                break;
            if (c != '\r')
                line += c;
        }
        return line;
    }

private:
    simlink::Socket m_socket;
};

double angleDiff(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

}  // namespace

TEST(RealFlightGear, NavOneAgreesWithTheStripAlongTheFirstLeg)
{
    std::string host = "127.0.0.1";
    int port = 0;
    std::unique_ptr<FlightGearProcess> process;
    if (const char* named = std::getenv("MERIDANE_TEST_FLIGHTGEAR")) {
        const simlink::LinkAddress address = simlink::parseLinkAddress(std::string("flightgear:") + named);
        host = address.host;
        port = address.port;
    } else {
        if (access(FGFS, X_OK) != 0)
            GTEST_SKIP() << "FlightGear is not installed (" << FGFS << "): the test against it was skipped";
        port = testsupport::unusedLoopbackPort();
        process = std::make_unique<FlightGearProcess>(port);
        ASSERT_TRUE(process->started());
    }

    LinkRecorder recorder;
    auto link = simlink::openLink({simlink::SimulatorKind::FlightGear, host, port}, recorder.handlers());
    // A cold start builds the navaid cache first.
    ASSERT_TRUE(recorder.waitForStatus(simlink::LinkState::Connected, 300s))
        << "FlightGear did not answer; see " << (process ? process->log() : std::string("its log"));
    simlink::AircraftSample parked;
    ASSERT_TRUE(recorder.waitForSample([](const auto&) { return true; }, 10s, &parked));
    // At KSFO, as started (or wherever a running one is, when named).
    if (process) {
        EXPECT_NEAR(parked.latitude, 37.62, 0.05);
        EXPECT_NEAR(parked.longitude, -122.38, 0.05);
    }
    std::printf("FlightGear: aircraft at %.5f %.5f, %.0f ft\n", parked.latitude, parked.longitude,
                parked.altitudeFt.value_or(NAN));

    // Positions and radios set before the simulation has started are lost
    // to its own start-up: wait for it.
    PropertyClient fg(host, port);
    for (int i = 0; i < 240 && fg.get("/sim/sceneryloaded") != "true"; ++i)
        std::this_thread::sleep_for(1s);
    ASSERT_EQ(fg.get("/sim/sceneryloaded"), "true");

    const flightplan::FlightPlan plan = testplans::bayArea();
    flying::FlightFollower follower(plan);
    follower.update(parked);
    follower.pickLeg(0);
    const std::optional<simlink::TuneCommand> tune = follower.tuneCommand();
    ASSERT_TRUE(tune);
    link->tune(*tune);

    fg.set("/position/altitude-ft", "6000");
    int compared = 0;
    for (const auto& [along, right] : std::vector<std::pair<double, double>>{
             {2.0, 0.0}, {4.0, 0.8}, {6.0, -1.0}, {8.0, 0.5}, {10.0, -0.5}, {12.0, 1.5}}) {
        const follow::GeoPoint p = testplans::offLeg(plan, 0, along, right);
        char lat[32], lon[32];
        std::snprintf(lat, sizeof lat, "%.8f", p.latitude);
        std::snprintf(lon, sizeof lon, "%.8f", p.longitude);
        fg.set("/position/latitude-deg", lat);
        fg.set("/position/longitude-deg", lon);
        fg.set("/position/altitude-ft", "6000");
        // FlightGear's receiver follows within a few of its frames; the link's
        // sample must show the new place and the tuned station.
        simlink::AircraftSample sample;
        bool settled = false;
        for (int tries = 0; tries < 40 && !settled; ++tries) {
            if (!recorder.waitForSample([](const auto&) { return true; }, 3s, &sample))
                break;
            const bool tuned =
                sample.nav1.frequencyMhz && std::fabs(*sample.nav1.frequencyMhz - tune->frequency) < 0.005;
            if (!tuned && tries % 8 == 7)
                link->tune(*tune);  // once more, should the first have come too early
            settled = std::fabs(sample.latitude - p.latitude) < 2e-4 &&
                      std::fabs(sample.longitude - p.longitude) < 2e-4 && tuned &&
                      sample.nav1.inRange.value_or(false) && tries >= 4;
        }
        ASSERT_TRUE(settled) << "FlightGear's NAV1 never showed " << tune->frequency << " in range at " << lat << " "
                             << lon << "; it showed " << sample.nav1.frequencyMhz.value_or(0) << " MHz, in range "
                             << sample.nav1.inRange.value_or(false) << ", aircraft at " << sample.latitude << " "
                             << sample.longitude;
        const flying::FollowFrame& frame = follower.update(sample);
        ASSERT_TRUE(frame.strip.vor.radial);
        ASSERT_TRUE(sample.nav1.radialDeg);
        const double ours = *frame.strip.vor.radial;
        const double theirs = *sample.nav1.radialDeg;
        std::printf("  %4.1f nm along, %+4.1f nm off: FlightGear %s radial %7.3f %s, selected %s; ours %s %7.3f %s "
                    "CDI %+5.2f (theirs %+5.2f)\n",
                    along, right, sample.nav1.navId.c_str(), theirs,
                    sample.nav1.toFlag.value_or(false) ? "TO" : sample.nav1.fromFlag.value_or(false) ? "FROM" : "OFF",
                    sample.nav1.selectedDeg ? std::to_string(*sample.nav1.selectedDeg).c_str() : "?",
                    frame.strip.station->ident.c_str(), ours, follow::toFromText(frame.strip.vor.toFrom),
                    frame.strip.vor.cdiDots.value_or(NAN), sample.nav1.deflectionDeg.value_or(NAN) / 2.0);
        EXPECT_LT(angleDiff(ours, theirs), 1.0);
        EXPECT_EQ(sample.nav1.toFlag.value_or(false), frame.strip.vor.toFrom == follow::ToFrom::To);
        EXPECT_EQ(sample.nav1.navId, frame.strip.station->ident);
        ASSERT_TRUE(sample.nav1.selectedDeg);
        EXPECT_LT(angleDiff(*sample.nav1.selectedDeg, frame.strip.station->courseDeg), 0.06);
        ++compared;
    }
    EXPECT_EQ(compared, 6);
}
