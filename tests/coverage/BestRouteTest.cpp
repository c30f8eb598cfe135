// SPDX-License-Identifier: GPL-3.0-or-later
#include "coverage/BestRoute.h"
#include "coverage/CoverageNetwork.h"
#include "coverage/Geodesy.h"
#include "coverage/LegCoverage.h"
#include "coverage/StationRange.h"

#include "tests/coverage/TryEveryRoute.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <utility>
#include <string>
#include <vector>

using coverage::RangeModel;
using coverage::Station;

using coveragetest::identsOf;
using coveragetest::NM_PER_EQUATOR_DEGREE;
using coveragetest::station;

namespace {

struct Fixture {
    const char* what;
    std::vector<Station> stations;
    coverage::RouteEnd departure, destination;
    std::vector<std::string> expected;
    double uncoveredNm;
    double distanceNm;
};

}  // namespace

// Optima worked out by hand on the equator and across the antimeridian.
TEST(BestRoute, HandWorkedOptima)
{
    const double deg = NM_PER_EQUATOR_DEGREE;
    const Fixture fixtures[] = {
        // Three beacons on the line and one that covers both halves alone:
        // the same length, so the per-leg term picks the one.
        {"per-leg term",
         {station("S1", 0, 0.5, 40), station("S2", 0, 1.0, 40), station("S3", 0, 1.5, 40), station("X", 0, 1.0, 70)},
         {0, 0},
         {0, 2},
         {"X"},
         0.0,
         2 * deg},
        // Nothing joins the ends: each beacon covers 40 nm either side of
        // itself, the rest of the ten degrees is uncovered; the beacon off
        // the line would cover more but costs more uncovered distance.
        {"only an uncovered route",
         {station("S1", 0, 1, 40), station("S2", 0, 9, 40), station("FAR", 3, 5, 40)},
         {0, 0},
         {0, 10},
         {"S1", "S2"},
         10 * deg - 160.0,
         10 * deg},
        // The ends lie either side of the antimeridian; the beacon on it
        // covers both legs, the decoy on the far side of the earth nothing.
        {"across the antimeridian",
         {station("DECOY", 0, 0, 130), station("DL", 0, 180.0, 70), station("W", 0, -179.5, 20)},
         {0, 179},
         {0, -179},
         {"DL"},
         0.0,
         2 * deg},
        // In the southern and eastern hemispheres: the two beacons on the
        // line are 60 nm apart with 25 nm each, so the detour by the strong
        // one south of them is the covered route.
        {"covered detour",
         {station("A", -33.0, 151.4, 25), station("B", -33.0, 152.6, 25), station("C", -33.5, 152.0, 40)},
         {-33.0, 151.0},
         {-33.0, 153.0},
         {"A", "C", "B"},
         0.0,
         -1.0},
    };
    for (const Fixture& f : fixtures) {
        const coverage::CoverageNetwork network(f.stations, 8500, RangeModel::Simulator);
        const coverage::BestRoute route = coverage::findBestRoute(network, f.departure, f.destination);
        EXPECT_EQ(identsOf(network, route), f.expected) << f.what;
        EXPECT_NEAR(route.uncoveredNm, f.uncoveredNm, 1e-6) << f.what;
        if (f.distanceNm > 0) {
            EXPECT_NEAR(route.distanceNm, f.distanceNm, 1e-6) << f.what;
        }
        EXPECT_EQ(route.searchedEveryLeg, f.uncoveredNm > 0) << f.what;
    }
}

// Two beacons mirrored across the equator make two routes of one cost: the
// one met first in station order wins, whichever order the stations come in.
TEST(BestRoute, EqualRoutesGoTheSameWayEveryRun)
{
    for (const bool northFirst : {true, false}) {
        std::vector<Station> stations{station("NORTH", 0.3, 1, 70), station("SOUTH", -0.3, 1, 70)};
        if (!northFirst)
            std::swap(stations[0], stations[1]);
        const coverage::CoverageNetwork network(stations, 8500, RangeModel::Simulator);
        for (int run = 0; run < 3; ++run) {
            const auto route = coverage::findBestRoute(network, {0, 0}, {0, 2});
            EXPECT_EQ(identsOf(network, route), (std::vector<std::string>{northFirst ? "NORTH" : "SOUTH"}));
        }
    }
}

// MTP (Ceduna area, H, 540 ft) to CAG (H, 370 ft) across the Bight: the
// length and what is left uncovered as a separate geodesic program gives
// them, at 8,500 ft under both models.
TEST(BestRoute, ACrossTheBightLegsFigures)
{
    const double d = coverage::geodesicNm(-34.1349983215332, 135.339996337891, -32.2633018493652, 125.496002197266);
    EXPECT_NEAR(d, 507.904797, 1e-5);
    const double mtp = coverage::stationRangeNm('H', 540.0, 130.0, 8500, RangeModel::Standard);
    const double cag = coverage::stationRangeNm('H', 370.0, 50.0, 8500, RangeModel::Standard);
    EXPECT_NEAR(coverage::legCoverage(d, mtp, cag).uncoveredNm, 427.904797, 1e-5);
    const auto simulator = coverage::legCoverage(d, 130.0, 50.0);
    EXPECT_NEAR(simulator.uncoveredNm, 327.904797, 1e-5);
    EXPECT_NEAR(*simulator.changeoverNm, 366.820131, 1e-5);
}

// Small random worlds, some joined by covered legs and some not, against
// trying every route.
TEST(BestRoute, AgreesWithTryingEveryRoute)
{
    std::mt19937 random(20261207);
    std::uniform_real_distribution<double> latitude(-21.0, -18.0), longitude(177.0, 183.0), range(10.0, 90.0);
    for (int world = 0; world < 12; ++world) {
        std::vector<Station> stations;
        for (int i = 0; i < 7; ++i) {
            const double lon = longitude(random);
            stations.push_back(station("S" + std::to_string(i), latitude(random), lon > 180.0 ? lon - 360.0 : lon,
                                       range(random)));
        }
        const coverage::RouteEnd from{latitude(random), 177.0}, to{latitude(random), -177.0};
        const coverage::CoverageNetwork network(stations, 8500, RangeModel::Simulator);
        const coverage::BestRoute route = coverage::findBestRoute(network, from, to);

        const coveragetest::TriedRoute best = coveragetest::tryEveryRoute(stations, network, from, to);
        EXPECT_NEAR(route.uncoveredNm, best.uncoveredNm, 1e-6) << "world " << world;
        EXPECT_NEAR(route.distanceNm + coverage::PER_LEG_NM * static_cast<double>(route.stations.size() + 1),
                    best.costNm, 1e-6)
            << "world " << world;
        EXPECT_EQ(route.stations, best.stations) << "world " << world;
    }
}

// Which pairs the network joins: a leg exactly as long as both ranges is
// covered, a hair longer is not; legs across the antimeridian and near the
// pole count like any other; parts follow the joins.
TEST(CoverageNetwork, CoveredLegsAtTheirLimitAndParts)
{
    const double deg = NM_PER_EQUATOR_DEGREE;
    struct Case {
        const char* what;
        Station a, b;
        bool joined;
    };
    const Case cases[] = {
        {"exactly both ranges", station("A", 0, 10, deg / 2), station("B", 0, 11, deg / 2), true},
        {"a hair more", station("A", 0, 10, deg / 2 - 1e-6), station("B", 0, 11, deg / 2), false},
        {"across the antimeridian", station("A", -17, 179.8, 20), station("B", -17, -179.8, 20), true},
        {"over the pole", station("A", 89.8, 0, 15), station("B", 89.8, 180, 15), true},
        {"far apart", station("A", 0, 0, 130), station("B", 0, 180, 130), false},
    };
    for (const Case& c : cases) {
        const std::vector<Station> stations{c.a, c.b, station("ALONE", 45, 45, 10)};
        const coverage::CoverageNetwork network(stations, 8500, RangeModel::Simulator);
        EXPECT_EQ(network.legCount(), c.joined ? 1u : 0u) << c.what;
        EXPECT_EQ(network.partCount(), c.joined ? 2u : 3u) << c.what;
        EXPECT_EQ(network.part(0) == network.part(1), c.joined) << c.what;
        if (c.joined) {
            ASSERT_EQ(network.edgesEnd(0) - network.edgesBegin(0), 1);
            EXPECT_EQ(network.edgesBegin(0)->to, 1u) << c.what;
        }
    }
}

namespace {

std::vector<std::pair<std::uint32_t, double>> legsOf(const coverage::CoverageNetwork& network, std::size_t i)
{
    std::vector<std::pair<std::uint32_t, double>> legs;
    for (auto e = network.edgesBegin(i); e != network.edgesEnd(i); ++e)
        legs.emplace_back(e->to, e->lengthNm);
    return legs;
}

}  // namespace

// A station's covered legs are found when first asked for, all of them when
// the parts are: the same legs to the last bit either way, whichever end
// asks first, in worlds across the antimeridian, around a pole and with
// ranges from none to the longest.
TEST(CoverageNetwork, LegsFoundOneStationAtATimeAreTheLegsFoundAllAtOnce)
{
    std::mt19937 random(7122026);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int world = 0; world < 6; ++world) {
        std::vector<Station> stations;
        for (int i = 0; i < 300; ++i) {
            const double lat = world % 2 == 0 ? -25.0 + 10.0 * unit(random) : 82.0 + 8.0 * unit(random);
            const double lon = world % 2 == 0 ? 170.0 + 20.0 * unit(random) : 360.0 * unit(random);
            const double range = i % 17 == 0 ? 0.0 : i % 29 == 0 ? coverage::LONGEST_STATION_RANGE_NM : 120.0 * unit(random);
            stations.push_back(station("S" + std::to_string(i), lat, lon > 180.0 ? lon - 360.0 : lon, range));
        }
        const coverage::CoverageNetwork lazy(stations, 8500, RangeModel::Simulator);
        const coverage::CoverageNetwork whole(stations, 8500, RangeModel::Simulator);
        EXPECT_GT(whole.legCount(), 0u);
        // Half the stations first, from the top down, then the parts.
        for (std::size_t i = stations.size(); i-- > stations.size() / 2;)
            EXPECT_EQ(legsOf(lazy, i), legsOf(whole, i)) << "world " << world << ", station " << i;
        EXPECT_EQ(lazy.partCount(), whole.partCount()) << "world " << world;
        for (std::size_t i = 0; i < stations.size(); ++i) {
            EXPECT_EQ(legsOf(lazy, i), legsOf(whole, i)) << "world " << world << ", station " << i;
            EXPECT_EQ(lazy.part(i), whole.part(i)) << "world " << world << ", station " << i;
        }
        EXPECT_EQ(lazy.legCount(), whole.legCount());

        // Lengths measured for another network of the same stations (at
        // 1,500 ft under the standard ranges) serve this one unchanged.
        coverage::LegLengths lengths(stations);
        const coverage::CoverageNetwork low(stations, 1500, RangeModel::Standard, &lengths);
        EXPECT_GT(low.legCount(), 0u);
        const coverage::CoverageNetwork shared(stations, 8500, RangeModel::Simulator, &lengths);
        for (std::size_t i = 0; i < stations.size(); ++i)
            EXPECT_EQ(legsOf(shared, i), legsOf(whole, i)) << "world " << world << ", station " << i;
    }
    const std::vector<Station> other{station("A", 0, 0, 10)};
    coverage::LegLengths lengths(other);
    EXPECT_THROW(coverage::CoverageNetwork(std::vector<Station>(other), 8500, RangeModel::Simulator, &lengths),
                 std::invalid_argument);
}

// A leg exactly as long as both ranges together, each station given half
// the leg: covered, off the equator and in either order of the stations.
// Halving is exact in binary, so the sum is the leg to the last bit.
TEST(CoverageNetwork, ALegOfExactlyBothRangesIsCovered)
{
    const struct {
        const char* what;
        double lat1, lon1, lat2, lon2;
    } legs[] = {
        {"south-east", -33.9461, 151.177, -37.6733, 144.843},
        {"north-west", 40.6398, -73.7789, 42.3643, -71.0052},
        {"across the antimeridian", -17.2, 179.4, -18.1, -179.3},
    };
    for (const auto& leg : legs) {
        const double length = coverage::geodesicNm(leg.lat1, leg.lon1, leg.lat2, leg.lon2);
        ASSERT_EQ(length, coverage::geodesicNm(leg.lat2, leg.lon2, leg.lat1, leg.lon1)) << leg.what;
        for (const double shortBy : {0.0, 1e-9}) {
            const std::vector<Station> stations{station("A", leg.lat1, leg.lon1, length / 2),
                                                station("B", leg.lat2, leg.lon2, length / 2 - shortBy)};
            const coverage::CoverageNetwork network(stations, 8500, RangeModel::Simulator);
            EXPECT_EQ(network.legCount(), shortBy == 0.0 ? 1u : 0u) << leg.what << " short by " << shortBy;
        }
    }
}

// Neighbours are looked for in a band of latitude as wide as a station's
// range and the largest: a southern station with a small range still finds
// the strong one north of it, and the other way round.
TEST(CoverageNetwork, AWeakStationFindsAStrongOneAcrossTheLatitudeBand)
{
    // 1.7 degrees of latitude north of the equator: 101.5 nm, within the
    // two ranges together (105 nm), far beyond the weak one's twice (10 nm).
    for (const bool weakSouth : {true, false}) {
        const double weakLat = weakSouth ? 0.0 : 1.7, strongLat = weakSouth ? 1.7 : 0.0;
        const std::vector<Station> stations{station("WEAK", weakLat, 20, 5), station("STRONG", strongLat, 20, 100),
                                            station("FAR", 30, 20, 5)};
        const coverage::CoverageNetwork network(stations, 8500, RangeModel::Simulator);
        EXPECT_EQ(network.legCount(), 1u) << (weakSouth ? "weak south" : "weak north");
        EXPECT_EQ(network.part(0), network.part(1));
    }
}

// The per-leg term decides between a straight route of more beacons and a
// short detour by one: 10 nm a leg outweighs a detour of 5 nm but not one
// of 14.
TEST(BestRoute, TenMilesALegAgainstTheDetour)
{
    // One degree of longitude on the equator (60.1 nm); the ends two
    // degrees apart; L1 and L2 at a half and one and a half degrees cover
    // the straight line in three legs of 120.2 nm. X a little off the line
    // covers it in two legs: 0.3 degrees north makes them 125.4 nm, 0.5
    // degrees 134.2 nm.
    const struct {
        double xLatitude;
        std::vector<std::string> expected;
    } cases[] = {
        {0.3, {"X"}},
        {0.5, {"L1", "L2"}},
    };
    for (const auto& c : cases) {
        const std::vector<Station> stations{station("L1", 0, 0.5, 32), station("L2", 0, 1.5, 32),
                                            station("X", c.xLatitude, 1.0, 70)};
        const coverage::CoverageNetwork network(stations, 8500, RangeModel::Simulator);
        const coverage::BestRoute route = coverage::findBestRoute(network, {0, 0}, {0, 2});
        EXPECT_EQ(identsOf(network, route), c.expected) << c.xLatitude;
        EXPECT_EQ(route.uncoveredNm, 0.0) << c.xLatitude;
        EXPECT_FALSE(route.searchedEveryLeg) << c.xLatitude;
    }
}

// An airport exactly at a station's range is covered from it; a hair
// further is not (and the route is then only found by trying every leg).
TEST(BestRoute, AnAirportExactlyAtTheRangeIsJoined)
{
    const coverage::RouteEnd departure{-33.9461, 151.177}, destination{-35.3069, 149.1950};
    const double toDeparture = coverage::geodesicNm(departure.latitude, departure.longitude, -34.5, 150.2);
    const double toDestination = coverage::geodesicNm(destination.latitude, destination.longitude, -34.5, 150.2);
    ASSERT_EQ(toDestination, coverage::geodesicNm(-34.5, 150.2, destination.latitude, destination.longitude));
    ASSERT_LT(toDeparture, toDestination);
    for (const double shortBy : {0.0, 1e-9}) {
        const std::vector<Station> stations{station("MID", -34.5, 150.2, toDestination - shortBy)};
        const coverage::CoverageNetwork network(stations, 8500, RangeModel::Simulator);
        const coverage::BestRoute route = coverage::findBestRoute(network, departure, destination);
        EXPECT_EQ(identsOf(network, route), std::vector<std::string>{"MID"}) << shortBy;
        EXPECT_EQ(route.searchedEveryLeg, shortBy > 0.0) << shortBy;
    }
}
