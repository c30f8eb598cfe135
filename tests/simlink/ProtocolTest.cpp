// SPDX-License-Identifier: GPL-3.0-or-later
#include "simlink/FlightGearProtocol.h"
#include "simlink/SimLink.h"
#include "simlink/XPlaneProtocol.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>

using namespace simlink;

namespace {

std::vector<std::string> goodReplies()
{
    return {"37.6188056", "-122.3754167", "13.2", "-12.5", "121.7",
            "115.80", "343", "-17.25", "-3.5", "false", "true", "true", "SFO"};
}

}  // namespace

TEST(FlightGearProtocol, RepliesBecomeASampleAndWhatIsNoFigureIsLeftOut)
{
    const std::optional<AircraftSample> sample = flightgear::sampleFromReplies(goodReplies());
    ASSERT_TRUE(sample);
    EXPECT_DOUBLE_EQ(sample->latitude, 37.6188056);
    EXPECT_DOUBLE_EQ(sample->longitude, -122.3754167);
    EXPECT_DOUBLE_EQ(*sample->headingMagneticDeg, 347.5);
    EXPECT_DOUBLE_EQ(*sample->nav1.frequencyMhz, 115.80);
    // FlightGear's actual-deg is not normalised: -17.25 is the 342.75 radial.
    EXPECT_DOUBLE_EQ(*sample->nav1.radialDeg, 342.75);
    EXPECT_DOUBLE_EQ(*sample->nav1.deflectionDeg, -3.5);
    EXPECT_EQ(sample->nav1.toFlag, false);
    EXPECT_EQ(sample->nav1.fromFlag, true);
    EXPECT_EQ(sample->nav1.navId, "SFO");

    // Each kind of nonsense in each field: the field is left out, or with a
    // position that is no place, the whole sample.
    for (const char* bad : {"nan", "inf", "-inf", "1e999", "1e300", "", "12 knots", "0x", "-ERR Node not found.",
                            "\xff\xfe", "37.5.5"}) {
        for (std::size_t field = 0; field < goodReplies().size(); ++field) {
            std::vector<std::string> replies = goodReplies();
            replies[field] = bad;
            const std::optional<AircraftSample> s = flightgear::sampleFromReplies(replies);
            if (field < 2) {
                EXPECT_FALSE(s) << "field " << field << " = " << bad;
                continue;
            }
            ASSERT_TRUE(s) << "field " << field << " = " << bad;
            for (const std::optional<double>& value :
                 {s->altitudeFt, s->headingMagneticDeg, s->groundSpeedKt, s->nav1.frequencyMhz, s->nav1.selectedDeg,
                  s->nav1.radialDeg, s->nav1.deflectionDeg}) {
                if (value) {
                    EXPECT_TRUE(std::isfinite(*value)) << "field " << field << " = " << bad;
                }
            }
        }
    }
    std::vector<std::string> north = goodReplies();
    north[0] = "90.5";
    EXPECT_FALSE(flightgear::sampleFromReplies(north));
    EXPECT_FALSE(flightgear::sampleFromReplies({"1", "2"}));
}

TEST(FlightGearProtocol, ABatchCountsOnlyWhole)
{
    flightgear::ReplyReader reader;
    reader.expect(7);
    std::string reply = "stray from before\r\nu6\r\nu7\r\n";
    for (const std::string& line : goodReplies())
        reply += line + "\r\n";
    reply += "u7\r\n";
    // In pieces of every size: the batch is found once, at its end marker.
    for (std::size_t piece : {1u, 2u, 5u, 13u, 1000u}) {
        reader.expect(7);
        int found = 0;
        for (std::size_t at = 0; at < reply.size(); at += piece) {
            const std::string part = reply.substr(at, piece);
            if (std::optional<std::vector<std::string>> replies = reader.feed(part.data(), part.size())) {
                ++found;
                EXPECT_EQ(*replies, goodReplies());
            }
        }
        EXPECT_EQ(found, 1) << "pieces of " << piece;
    }
    // A stray line inside the batch, an older batch's marker, an overlong line.
    reader.expect(8);
    std::string spoiled = "u8\r\n" + goodReplies()[0] + "\r\nstray\r\n";
    for (std::size_t i = 1; i < goodReplies().size(); ++i)
        spoiled += goodReplies()[i] + "\r\n";
    spoiled += "u8\r\n";
    EXPECT_FALSE(reader.feed(spoiled.data(), spoiled.size()));
    reader.expect(9);
    const std::string overlong = std::string(5000, 'x') + "\nu9\n";
    EXPECT_FALSE(reader.feed(overlong.data(), overlong.size()));
}

TEST(FlightGearProtocol, RequestsAsThePropertyServerTakesThem)
{
    EXPECT_EQ(flightgear::greeting(), "data\r\n");
    const std::string batch = flightgear::batchRequest(3);
    EXPECT_EQ(batch.rfind("set /sim/meridane/update u3\r\nget /sim/meridane/update\r\nget /position/latitude-deg\r\n", 0),
              0u);
    EXPECT_NE(batch.find("get /instrumentation/nav[0]/radials/actual-deg\r\n"), std::string::npos);
    EXPECT_EQ(batch.substr(batch.size() - 26), "get /sim/meridane/update\r\n");

    TuneCommand nav{Radio::Nav1, 117.2, 343.04};
    EXPECT_EQ(flightgear::tuneRequest(nav), "set /instrumentation/nav[0]/frequencies/selected-mhz 117.20\r\n"
                                            "set /instrumentation/nav[0]/radials/selected-deg 343.0\r\n");
    nav.courseDeg = 359.98;
    EXPECT_NE(flightgear::tuneRequest(nav).find("selected-deg 360.0"), std::string::npos);
    nav.courseDeg = -17.0;
    EXPECT_NE(flightgear::tuneRequest(nav).find("selected-deg 343.0"), std::string::npos);
    nav.frequency = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(flightgear::tuneRequest(nav), "");
    EXPECT_EQ(flightgear::tuneRequest(TuneCommand{Radio::Adf1, 350.5, std::nullopt}),
              "set /instrumentation/adf[0]/frequencies/selected-khz 350.5\r\n");
}

namespace {

float floatAt(const std::string& s, std::size_t at)
{
    float value;
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + i])) << (8 * i);
    std::memcpy(&value, &bits, 4);
    return value;
}

std::string pairs(const std::vector<std::pair<std::int32_t, float>>& values)
{
    std::string out("RREF,", 5);
    for (const auto& [index, value] : values) {
        out.append(reinterpret_cast<const char*>(&index), 4);  // the test runs little-endian, as X-Plane does
        out.append(reinterpret_cast<const char*>(&value), 4);
    }
    return out;
}

}  // namespace

TEST(XPlaneProtocol, RequestsHaveTheirFixedSizesAndFields)
{
    const std::string subscribe = xplane::subscribeRequest(2, 5);
    ASSERT_EQ(subscribe.size(), xplane::RREF_REQUEST_SIZE);
    EXPECT_EQ(subscribe.substr(0, 5), std::string("RREF\0", 5));
    EXPECT_EQ(subscribe.substr(5, 8), std::string("\x05\0\0\0\x02\0\0\0", 8));
    EXPECT_STREQ(subscribe.c_str() + 13, "sim/flightmodel/position/elevation");

    const std::vector<std::string> tune = xplane::tuneRequests(TuneCommand{Radio::Nav1, 115.8, 343.0});
    ASSERT_EQ(tune.size(), 2u);
    for (const std::string& request : tune) {
        ASSERT_EQ(request.size(), xplane::DREF_REQUEST_SIZE);
        EXPECT_EQ(request.substr(0, 5), std::string("DREF\0", 5));
    }
    EXPECT_FLOAT_EQ(floatAt(tune[0], 5), 11580.0f);
    EXPECT_STREQ(tune[0].c_str() + 9, "sim/cockpit2/radios/actuators/nav1_frequency_hz");
    EXPECT_EQ(tune[0].back(), ' ');
    EXPECT_FLOAT_EQ(floatAt(tune[1], 5), 343.0f);
    EXPECT_STREQ(tune[1].c_str() + 9, "sim/cockpit2/radios/actuators/nav1_obs_deg_mag_pilot");
    // 108.05 is 10805 exactly, not 10804.999.
    EXPECT_FLOAT_EQ(floatAt(xplane::tuneRequests(TuneCommand{Radio::Nav1, 108.05, std::nullopt})[0], 5), 10805.0f);
}

TEST(XPlaneProtocol, AnswersBecomeASampleAndNonsenseIsLeftOut)
{
    xplane::DatarefValues values;
    EXPECT_FALSE(values.sample());
    const std::string answer = pairs({{0, -33.9461f}, {1, 151.177f}, {2, 1000.0f}, {3, 370.0f}, {4, 61.7333f},
                                      {5, 11580.0f}, {6, 12.0f}, {7, 200.0f}, {8, 2.0f}, {99, 1.0f}});
    const auto parsed = xplane::parseAnswer(answer.data(), answer.size());
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->size(), 10u);
    EXPECT_TRUE(values.take(*parsed));
    const std::optional<AircraftSample> sample = values.sample();
    ASSERT_TRUE(sample);
    EXPECT_NEAR(sample->latitude, -33.9461, 1e-5);
    EXPECT_NEAR(*sample->altitudeFt, 3280.84, 0.01);
    EXPECT_NEAR(*sample->headingMagneticDeg, 10.0, 1e-4);
    EXPECT_NEAR(*sample->groundSpeedKt, 120.0, 0.001);
    EXPECT_NEAR(*sample->nav1.frequencyMhz, 115.80, 1e-9);
    EXPECT_NEAR(*sample->nav1.radialDeg, 20.0, 1e-4);
    EXPECT_EQ(sample->nav1.fromFlag, true);

    for (const std::string& junk : {std::string("RRE"), std::string("DATA*\0\0\0\0", 9), std::string()}) {
        EXPECT_FALSE(xplane::parseAnswer(junk.data(), junk.size()));
    }
    const float nan = std::nanf("");
    const float huge = std::numeric_limits<float>::max();
    const std::string bad = pairs({{0, nan}, {1, huge}, {2, nan}, {3, huge}, {4, -huge}, {5, nan}, {7, huge}});
    values.take(*xplane::parseAnswer(bad.data(), bad.size()));
    EXPECT_FALSE(values.sample());
    const std::string good = pairs({{0, 10.0f}, {1, -179.99f}});
    values.take(*xplane::parseAnswer(good.data(), good.size()));
    const std::optional<AircraftSample> rest = values.sample();
    ASSERT_TRUE(rest);
    EXPECT_FALSE(rest->altitudeFt);
    EXPECT_FALSE(rest->headingMagneticDeg);
    EXPECT_FALSE(rest->groundSpeedKt);
    EXPECT_FALSE(rest->nav1.frequencyMhz);
}

TEST(LinkAddress, KindsHostsAndPorts)
{
    struct Case {
        const char* text;
        SimulatorKind kind;
        const char* host;
        int port;
    };
    for (const Case& c : {Case{"flightgear", SimulatorKind::FlightGear, "localhost", 5401},
                          Case{"FlightGear:10.0.0.2", SimulatorKind::FlightGear, "10.0.0.2", 5401},
                          Case{"flightgear:sim.local:5500", SimulatorKind::FlightGear, "sim.local", 5500},
                          Case{"flightgear::5402", SimulatorKind::FlightGear, "localhost", 5402},
                          Case{"xplane", SimulatorKind::XPlane, "localhost", 49000},
                          Case{"x-plane:192.168.1.9:49001", SimulatorKind::XPlane, "192.168.1.9", 49001},
                          Case{"xplane:[::1]:49000", SimulatorKind::XPlane, "::1", 49000},
                          Case{"xplane:[fe80::1]", SimulatorKind::XPlane, "fe80::1", 49000}}) {
        const LinkAddress a = parseLinkAddress(c.text);
        EXPECT_EQ(a.kind, c.kind) << c.text;
        EXPECT_EQ(a.host, c.host) << c.text;
        EXPECT_EQ(a.port, c.port) << c.text;
    }
    for (const char* bad : {"msfs", "", "flightgear:host:0", "flightgear:host:65536", "flightgear:host:54x",
                            "flightgear:host:", "xplane:[::1", "xplane:[::1]x", "flightgear:h:-5"}) {
        EXPECT_THROW(parseLinkAddress(bad), std::invalid_argument) << bad;
    }
    EXPECT_EQ(describe(parseLinkAddress("xplane:[::1]")), "X-Plane on [::1]:49000");
}
