// SPDX-License-Identifier: GPL-3.0-or-later
#include "coverage/LegCoverage.h"
#include "coverage/StationRange.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

using coverage::RangeModel;

namespace {

struct RangeCase {
    char serviceClass;
    std::optional<double> elevationFt;
    std::optional<double> simulatorNm;
    double altitudeFt;
    RangeModel model;
    double expectedNm;
};

}  // namespace

// Heights straddle each limit of the high class's service volume; the
// horizon is 1.23 * sqrt(h) worked out by hand.
TEST(StationRange, ServiceVolumeAndHorizonAtTheirLimits)
{
    const RangeCase cases[] = {
        {'T', 0.0, std::nullopt, 3500, RangeModel::Standard, 25.0},
        {'L', 0.0, std::nullopt, 3500, RangeModel::Standard, 40.0},
        {'H', 0.0, std::nullopt, 3500, RangeModel::Standard, 40.0},
        // 1.23 * sqrt(900) = 36.9: the horizon is nearer than the volume.
        {'L', 600.0, std::nullopt, 1500, RangeModel::Standard, 36.9},
        {'H', 1000.0, std::nullopt, 15499, RangeModel::Standard, 40.0},
        {'H', 1000.0, std::nullopt, 15500, RangeModel::Standard, 100.0},
        {'H', 0.0, std::nullopt, 17999, RangeModel::Standard, 100.0},
        {'H', 0.0, std::nullopt, 18000, RangeModel::Standard, 130.0},
        {'H', 0.0, std::nullopt, 45000, RangeModel::Standard, 130.0},
        {'H', 0.0, std::nullopt, 45001, RangeModel::Standard, 100.0},
        // A station above the aircraft, and one of unknown elevation, which
        // counts as sea level: 1.23 * sqrt(400) = 24.6.
        {'H', 5000.0, std::nullopt, 4500, RangeModel::Standard, 0.0},
        {'L', std::nullopt, std::nullopt, 400, RangeModel::Standard, 24.6},
        // Anything but T and H is the low class.
        {'?', 0.0, std::nullopt, 9000, RangeModel::Standard, 40.0},
        {0, 0.0, std::nullopt, 9000, RangeModel::Standard, 40.0},
        // The simulator's own range, whatever the altitude; none at all
        // where the simulator's data lacks the station, which is silent there.
        {'T', 0.0, 130.0, 500, RangeModel::Simulator, 130.0},
        {'H', 0.0, 130.0, 500, RangeModel::Standard, 1.23 * std::sqrt(500.0)},
        {'H', 0.0, std::nullopt, 20000, RangeModel::Simulator, 0.0},
        {'L', std::nullopt, std::nullopt, 9000, RangeModel::Simulator, 0.0},
        // Never beyond the longest real station's range, however damaged the
        // figure read.
        {'H', 0.0, 500.0, 9000, RangeModel::Simulator, 500.0},
        {'H', 0.0, 500.001, 9000, RangeModel::Simulator, 500.0},
        {'H', 0.0, 20000.0, 9000, RangeModel::Simulator, 500.0},
        {'H', 0.0, 1e308, 9000, RangeModel::Simulator, 500.0},
        {'H', 0.0, std::numeric_limits<double>::infinity(), 9000, RangeModel::Simulator, 500.0},
        {'H', 0.0, std::numeric_limits<double>::quiet_NaN(), 9000, RangeModel::Simulator, 0.0},
        {'H', 0.0, -40.0, 9000, RangeModel::Simulator, 0.0},
    };
    for (const RangeCase& c : cases) {
        EXPECT_NEAR(coverage::stationRangeNm(c.serviceClass, c.elevationFt, c.simulatorNm, c.altitudeFt, c.model),
                    c.expectedNm, 1e-9)
            << "class " << c.serviceClass << " at " << c.altitudeFt << " ft";
    }
}

TEST(StationRange, ModelNamesReadBack)
{
    for (RangeModel model : {RangeModel::Standard, RangeModel::Simulator})
        EXPECT_EQ(coverage::parseRangeModel(coverage::rangeModelName(model)), model);
    EXPECT_FALSE(coverage::parseRangeModel("Standard"));
    EXPECT_FALSE(coverage::parseRangeModel(""));
}

TEST(LegCoverage, UncoveredStretchAndChangeover)
{
    struct Case {
        double distanceNm;
        std::optional<double> fromNm, toNm;  // nullopt: an airport
        double uncoveredNm;
        std::optional<double> changeoverNm;
    };
    const Case cases[] = {
        {100.0, 40.0, 25.0, 35.0, 100.0 * 40.0 / 65.0},
        {65.0, 40.0, 25.0, 0.0, 40.0},  // exactly covered
        {80.0, 40.0, 40.0, 0.0, 40.0},
        {50.0, std::nullopt, 40.0, 10.0, std::nullopt},
        {50.0, 40.0, std::nullopt, 10.0, std::nullopt},
        {30.0, std::nullopt, 40.0, 0.0, std::nullopt},
        {120.0, std::nullopt, std::nullopt, 120.0, std::nullopt},
        // Two stations received nowhere (below their horizon): halfway.
        {90.0, 0.0, 0.0, 90.0, 45.0},
    };
    for (const Case& c : cases) {
        const coverage::LegCoverage covered = coverage::legCoverage(c.distanceNm, c.fromNm, c.toNm);
        EXPECT_NEAR(covered.uncoveredNm, c.uncoveredNm, 1e-9) << c.distanceNm;
        // The stretch begins where the station behind stops reaching.
        EXPECT_EQ(covered.uncoveredFromNm, c.fromNm.value_or(0.0)) << c.distanceNm;
        ASSERT_EQ(covered.changeoverNm.has_value(), c.changeoverNm.has_value()) << c.distanceNm;
        if (c.changeoverNm) {
            EXPECT_NEAR(*covered.changeoverNm, *c.changeoverNm, 1e-9) << c.distanceNm;
        }
    }
}
