// SPDX-License-Identifier: GPL-3.0-or-later
// Finding stations by place: the grid never misses a station within the
// chord asked for (at the poles, across the antimeridian, at a chord of
// nothing and of the whole earth), and the parts found one at a time by
// following covered legs are the parts that trying every pair gives.

#include "coverage/BestRoute.h"
#include "coverage/CoverageNetwork.h"
#include "coverage/Geodesy.h"
#include "coverage/StationGrid.h"
#include "coverage/StationRange.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <string>
#include <vector>

using coverage::Direction;
using coverage::RangeModel;
using coverage::Station;
using coverage::StationGrid;

namespace {

// Straight from the components, not through the library's own chord.
double chordBetween(const Direction& a, const Direction& b)
{
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

struct Place {
    double latitude, longitude;
};

// Worlds where a slip would hide: spread over the globe, crowded round
// both poles, astride the antimeridian, and piled on one spot.
std::vector<std::vector<Place>> SampleWorlds()
{
    std::mt19937 random(8122026);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<std::vector<Place>> worlds(4);
    for (int i = 0; i < 1500; ++i) {
        worlds[0].push_back({std::asin(2.0 * unit(random) - 1.0) * 180.0 / 3.14159265358979323846,
                             -180.0 + 360.0 * unit(random)});
        worlds[1].push_back({(i % 2 == 0 ? 1.0 : -1.0) * (86.0 + 4.0 * unit(random)), -180.0 + 360.0 * unit(random)});
        double lon = 178.0 + 4.0 * unit(random);
        worlds[2].push_back({-20.0 + 6.0 * unit(random), lon > 180.0 ? lon - 360.0 : lon});
    }
    for (const Place& p : {Place{90.0, 0.0}, Place{-90.0, 45.0}, Place{0.0, 180.0}, Place{0.0, -180.0},
                           Place{-16.5, 179.999999}, Place{-16.5, -179.999999}})
        worlds[1].push_back(p), worlds[2].push_back(p);
    worlds[3].assign(40, Place{-33.946, 151.177});
    worlds[3].push_back({-33.946, 151.1770001});
    return worlds;
}

}  // namespace

TEST(StationGrid, EveryStationWithinTheChordIsVisitedOnce)
{
    const double chords[] = {0.0, 1e-9, StationGrid::chordOf(25.0), StationGrid::chordOf(130.0),
                             StationGrid::chordOf(500.0), 0.5, 1.9, 2.0, 3.0};
    int world = 0;
    for (const std::vector<Place>& places : SampleWorlds()) {
        std::vector<Direction> directions;
        for (const Place& p : places)
            directions.push_back(coverage::directionOf(p.latitude, p.longitude));
        const StationGrid grid(directions);
        // Round every station of the world and round points of no station.
        std::vector<Direction> centres = directions;
        for (const Place& p : {Place{90.0, 0.0}, Place{-90.0, 0.0}, Place{0.0, 180.0}, Place{-17.0, -179.5},
                               Place{89.9, 100.0}, Place{0.0, 0.0}})
            centres.push_back(coverage::directionOf(p.latitude, p.longitude));
        for (std::size_t c = 0; c < centres.size(); c += (c < directions.size() ? 7 : 1)) {
            for (const double maxChord : chords) {
                std::vector<int> seen(directions.size(), 0);
                if (c < directions.size())
                    grid.forEachNearStation(static_cast<std::uint32_t>(c), maxChord,
                                            [&](std::uint32_t j) { ++seen[j]; });
                else
                    grid.forEachNear(centres[c], maxChord, [&](std::uint32_t j) { ++seen[j]; });
                for (std::size_t j = 0; j < directions.size(); ++j) {
                    ASSERT_LE(seen[j], 1) << "world " << world << ", centre " << c << ", station " << j;
                    if (chordBetween(centres[c], directions[j]) <= maxChord) {
                        ASSERT_EQ(seen[j], 1) << "world " << world << ", centre " << c << ", station " << j
                                              << ", chord " << maxChord;
                    }
                }
            }
        }
        ++world;
    }
    const StationGrid empty(std::vector<Direction>{});
    int visits = 0;
    empty.forEachNear(coverage::directionOf(0, 0), 2.0, [&](std::uint32_t) { ++visits; });
    EXPECT_EQ(visits, 0);
}

// A station farther than a distance by the geodesic is farther by the chord
// chordOf gives for it: every bound the search prunes with stays below the
// geodesic.
TEST(StationGrid, TheChordOfADistanceSpansEveryPairThatNear)
{
    std::mt19937 random(9122026);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < 2000; ++i) {
        const double lat1 = -90.0 + 180.0 * unit(random), lon1 = -180.0 + 360.0 * unit(random);
        // From a few metres to half the world.
        const double spread = std::pow(10.0, -4.0 + 6.0 * unit(random));
        const double lat2 = std::clamp(lat1 + spread * (2.0 * unit(random) - 1.0), -90.0, 90.0);
        double lon2 = lon1 + spread * (2.0 * unit(random) - 1.0);
        lon2 = lon2 > 180.0 ? lon2 - 360.0 : lon2 < -180.0 ? lon2 + 360.0 : lon2;
        const double metres = coverage::geodesicNm(lat1, lon1, lat2, lon2);
        const double chord =
            chordBetween(coverage::directionOf(lat1, lon1), coverage::directionOf(lat2, lon2));
        EXPECT_LE(chord, StationGrid::chordOf(metres)) << lat1 << "," << lon1 << " to " << lat2 << "," << lon2;
    }
    EXPECT_GT(StationGrid::chordOf(0.0), 0.0);
    EXPECT_GT(StationGrid::chordOf(-5.0), 0.0);
}

namespace {

Station RangedStation(double latitude, double longitude, double rangeNm)
{
    Station s;
    s.latitude = latitude;
    s.longitude = longitude;
    s.simulatorRangeNm = rangeNm;
    return s;
}

// The parts by trying every pair against the geodesic, numbered by their
// lowest station.
std::vector<std::uint32_t> PartsByEveryPair(const coverage::CoverageNetwork& network)
{
    const std::size_t n = network.size();
    std::vector<std::uint32_t> lowest(n);
    std::iota(lowest.begin(), lowest.end(), 0u);
    bool changed = true;
    std::vector<std::vector<bool>> joined(n, std::vector<bool>(n, false));
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = i + 1; j < n; ++j) {
            const Station& a = network.station(i);
            const Station& b = network.station(j);
            joined[i][j] = joined[j][i] = coverage::geodesicNm(a.latitude, a.longitude, b.latitude, b.longitude) <=
                                          network.rangeNm(i) + network.rangeNm(j);
        }
    }
    while (changed) {
        changed = false;
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t j = 0; j < n; ++j) {
                if (joined[i][j] && lowest[j] < lowest[i]) {
                    lowest[i] = lowest[j];
                    changed = true;
                }
            }
        }
    }
    return lowest;
}

}  // namespace

TEST(CoverageNetwork, PartsFoundOneAtATimeArePartsOfEveryPair)
{
    std::mt19937 random(10122026);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int world = 0; world < 8; ++world) {
        std::vector<Station> stations;
        for (int i = 0; i < 160; ++i) {
            const double lat = world % 2 == 0 ? -25.0 + 12.0 * unit(random) : 84.0 + 6.0 * unit(random);
            const double lon = world % 2 == 0 ? 170.0 + 20.0 * unit(random) : 360.0 * unit(random);
            const double range = i % 13 == 0 ? 0.0 : i % 41 == 0 ? coverage::LONGEST_STATION_RANGE_NM
                                                                  : (world < 4 ? 60.0 : 25.0) * unit(random);
            stations.push_back(RangedStation(lat, lon > 180.0 ? lon - 360.0 : lon, range));
        }
        // Two stations on one spot with no range at all are joined.
        stations.push_back(RangedStation(-20.0, 175.0, 0.0));
        stations.push_back(RangedStation(-20.0, 175.0, 0.0));
        for (const RangeModel model : {RangeModel::Simulator, RangeModel::Standard}) {
            const coverage::CoverageNetwork network(stations, 4500, model);
            const std::vector<std::uint32_t> expected = PartsByEveryPair(network);
            // Asked from the last station down, so that parts are first
            // found from stations other than their lowest.
            for (std::size_t i = stations.size(); i-- > 0;) {
                const std::uint32_t leader = network.partLeader(i);
                ASSERT_EQ(leader, expected[i]) << "world " << world << ", station " << i;
                const std::vector<std::uint32_t>& members = network.partMembers(leader);
                ASSERT_TRUE(std::is_sorted(members.begin(), members.end()));
                EXPECT_TRUE(std::binary_search(members.begin(), members.end(), static_cast<std::uint32_t>(i)));
                EXPECT_EQ(static_cast<std::size_t>(std::count(expected.begin(), expected.end(), leader)),
                          members.size());
            }
            // The whole world's parts agree, numbered by first station.
            std::vector<std::uint32_t> numbers;
            for (std::size_t i = 0; i < stations.size(); ++i) {
                EXPECT_EQ(network.inPart(i, expected[i]), true);
                if (expected[i] == i)
                    numbers.push_back(network.part(i));
                EXPECT_EQ(network.part(i), network.part(expected[i])) << "world " << world << ", station " << i;
            }
            EXPECT_EQ(numbers.size(), network.partCount());
            for (std::size_t k = 0; k < numbers.size(); ++k)
                EXPECT_EQ(numbers[k], k);
        }
    }
}

// Two stations exactly as far apart as their ranges together are one part;
// a hair short of it, two. Along the equator, in both hemispheres of
// longitude and across the antimeridian.
TEST(CoverageNetwork, PartsAtTheExactLimitOfBothRanges)
{
    for (const auto& [lon1, lon2] : {std::pair{10.0, 12.5}, std::pair{-100.0, -97.0}, std::pair{179.0, -179.5}}) {
        const double length = coverage::geodesicNm(0.0, lon1, 0.0, lon2);
        for (const bool shortBy : {false, true}) {
            const double half = shortBy ? std::nextafter(length / 2.0, 0.0) : length / 2.0;
            const std::vector<Station> stations{RangedStation(0.0, lon1, half), RangedStation(0.0, lon2, half)};
            const coverage::CoverageNetwork network(stations, 4500, RangeModel::Simulator);
            EXPECT_EQ(network.partLeader(1), shortBy ? 1u : 0u) << lon1 << " short " << shortBy;
            EXPECT_EQ(network.partCount(), shortBy ? 2u : 1u) << lon1 << " short " << shortBy;
        }
    }
}

namespace {

// Stations every `step` degrees of longitude along a parallel, from `from`
// on (east, across the antimeridian where it reaches it).
void AddChain(std::vector<Station>& stations, double latitude, double from, double step, int count, double rangeNm)
{
    for (int k = 0; k < count; ++k) {
        double lon = from + step * k;
        lon = lon > 180.0 ? lon - 360.0 : lon;
        stations.push_back(RangedStation(latitude, lon, rangeNm));
    }
}

}  // namespace

// A part larger than asked for is not kept, and leaves nothing behind: it is
// found whole when asked again without a limit.
TEST(CoverageNetwork, APartLargerThanTheLimitIsLeftUnfound)
{
    for (const auto& [latitude, from] : {std::pair{0.0, 10.0}, std::pair{-17.0, 176.0}, std::pair{64.0, -150.0}}) {
        for (const int count : {127, 128, 129}) {
            std::vector<Station> stations;
            // 0.05 degrees apart, 4 nm each way: every neighbour joined.
            AddChain(stations, latitude, from, 0.05, count, 4.0);
            stations.push_back(RangedStation(latitude + 5.0, from, 4.0));  // alone
            const coverage::CoverageNetwork network(stations, 4500, RangeModel::Simulator);
            std::uint32_t leader = 99;
            EXPECT_TRUE(network.partLeaderWithin(static_cast<std::size_t>(count), 128, leader));
            EXPECT_EQ(leader, static_cast<std::uint32_t>(count));
            const bool small = count <= 128;
            EXPECT_EQ(network.partLeaderWithin(static_cast<std::size_t>(count / 2), 128, leader), small)
                << latitude << " " << count;
            if (small) {
                EXPECT_EQ(leader, 0u);
            }
            EXPECT_EQ(network.partLeader(static_cast<std::size_t>(count - 1)), 0u);
            EXPECT_EQ(network.partMembers(0).size(), static_cast<std::size_t>(count));
            EXPECT_TRUE(network.partLeaderWithin(5, 1, leader));  // known now
            EXPECT_EQ(leader, 0u);
        }
    }
}

// An island of a few stations off a continent of many: whichever airport is
// on the island, the route crosses the narrowest gap, at the two ends of the
// chains, and leaves exactly that uncovered; a gap the ranges close is no
// gap. North and south, east and west, and across the antimeridian.
TEST(BestRoute, AnIslandOffAContinent)
{
    for (const auto& [latitude, from] : {std::pair{0.0, 0.0}, std::pair{-17.0, 170.0}, std::pair{45.0, -100.0}}) {
        for (const double gapDegrees : {0.06, 1.5}) {
            std::vector<Station> stations;
            AddChain(stations, latitude, from, 0.05, 300, 4.0);  // the continent, 15 degrees of it
            const double coast = from + 0.05 * 299;
            const double shore = coast + gapDegrees;
            AddChain(stations, latitude, shore, 0.05, 6, 4.0);  // the island
            const auto lon = [](double l) { return l > 180.0 ? l - 360.0 : l; };
            const coverage::RouteEnd inland{latitude, lon(from + 1.0)};
            const coverage::RouteEnd island{latitude, lon(shore + 0.1)};
            const coverage::CoverageNetwork network(stations, 4500, RangeModel::Simulator);
            const double gap =
                coverage::geodesicNm(latitude, lon(coast), latitude, lon(shore)) - (4.0 + 4.0);
            for (const bool outward : {true, false}) {
                const coverage::BestRoute route = coverage::findBestRoute(network, outward ? inland : island,
                                                                          outward ? island : inland);
                ASSERT_FALSE(route.stations.empty());
                if (gap <= 0.0) {
                    EXPECT_EQ(route.uncoveredNm, 0.0) << latitude << " " << from;
                    EXPECT_FALSE(route.searchedEveryLeg);
                } else {
                    // The leg is measured from the end it is flown from.
                    const double flown = outward ? gap
                                                 : coverage::geodesicNm(latitude, lon(shore), latitude, lon(coast)) -
                                                       (4.0 + 4.0);
                    EXPECT_EQ(route.uncoveredNm, flown) << latitude << " " << from << " outward " << outward;
                    EXPECT_TRUE(route.searchedEveryLeg);
                }
            }
        }
    }
}
