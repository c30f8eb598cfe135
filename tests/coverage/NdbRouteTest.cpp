// SPDX-License-Identifier: GPL-3.0-or-later
// The best route when NDBs stand beside the VORs: NDB ranges, a gap only an
// NDB bridges, a VOR taken wherever it does as well, and the search against
// trying every route over small random worlds of both kinds, across the
// antimeridian and with a few stations of a very wide range.
#include "coverage/BestRoute.h"
#include "coverage/CoverageNetwork.h"
#include "coverage/Geodesy.h"
#include "coverage/StationRange.h"

#include "tests/coverage/TryEveryRoute.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using coverage::NdbClass;
using coverage::RangeModel;
using coverage::Station;
using coverage::StationKind;

using coveragetest::identsOf;
using coveragetest::NM_PER_EQUATOR_DEGREE;
using coveragetest::station;

namespace {

// A station on the equator, at a distance east of 0°E.
Station onEquator(const std::string& ident, StationKind kind, double eastNm, double rangeNm)
{
    return station(ident, kind, 0.0, eastNm / NM_PER_EQUATOR_DEGREE, rangeNm);
}

coverage::RouteEnd eastOnEquator(double nm)
{
    return {0.0, nm / NM_PER_EQUATOR_DEGREE};
}

}  // namespace

// An NDB's range follows its class and nothing else; the simulator's where
// it has one, none at all where it lacks the station.
TEST(NdbRange, ClassRangeWithoutHorizonAndTheSimulatorsOwn)
{
    struct Case {
        NdbClass ndbClass;
        std::optional<double> simulatorNm;
        RangeModel model;
        double expectedNm;
    };
    const Case cases[] = {
        {NdbClass::Locator, std::nullopt, RangeModel::Standard, 15.0},
        {NdbClass::MH, std::nullopt, RangeModel::Standard, 25.0},
        {NdbClass::H, 20.0, RangeModel::Standard, 50.0},
        {NdbClass::HH, std::nullopt, RangeModel::Standard, 75.0},
        {NdbClass::HH, 999.0, RangeModel::Simulator, 999.0},
        {NdbClass::Locator, 50.0, RangeModel::Simulator, 50.0},
        {NdbClass::HH, std::nullopt, RangeModel::Simulator, 0.0},
    };
    for (const Case& c : cases) {
        Station s = station("N", StationKind::Ndb, 0, 0, 0);
        s.ndbClass = c.ndbClass;
        s.simulatorRangeNm = c.simulatorNm;
        // At 500 ft the horizon is 27.5 nm: a VOR would be held to it, an
        // NDB is not.
        s.elevationFt = 0.0;
        EXPECT_EQ(coverage::stationRangeNm(s, 500.0, c.model), c.expectedNm) << coverage::ndbClassName(c.ndbClass);
    }
    Station vor = station("V", StationKind::Vor, 0, 0, 0);
    vor.simulatorRangeNm.reset();
    vor.elevationFt = 0.0;
    EXPECT_NEAR(coverage::stationRangeNm(vor, 500.0, RangeModel::Standard), 1.23 * std::sqrt(500.0), 1e-9);

    for (coverage::Navaids navaids : {coverage::Navaids::Vor, coverage::Navaids::VorNdb})
        EXPECT_EQ(coverage::parseNavaids(coverage::navaidsName(navaids)), navaids);
    EXPECT_FALSE(coverage::parseNavaids("ndb"));
    EXPECT_FALSE(coverage::parseNavaids("VOR"));
}

// Two VORs 150 nm apart leave 70 nm between their reaches; only the NDB
// between them bridges it. Under the standard model: VORs of the low class
// at 8,500 ft (40 nm) and an H-class NDB (50 nm).
TEST(NdbRoute, OnlyAnNdbBridgesTheGap)
{
    const auto standard = [](Station s, char vorClass, NdbClass ndbClass) {
        s.simulatorRangeNm.reset();
        s.elevationFt = 0.0;
        s.serviceClass = vorClass;
        s.ndbClass = ndbClass;
        return s;
    };
    const std::vector<Station> vors{standard(onEquator("WEST", StationKind::Vor, 30, 0), 'L', NdbClass::MH),
                                    standard(onEquator("EAST", StationKind::Vor, 200, 0), 'L', NdbClass::MH)};
    std::vector<Station> both = vors;
    both.push_back(standard(onEquator("NB", StationKind::Ndb, 115, 0), 'L', NdbClass::H));
    const coverage::RouteEnd from = eastOnEquator(0), to = eastOnEquator(230);

    const coverage::CoverageNetwork vorNetwork(vors, 8500, RangeModel::Standard);
    const coverage::BestRoute vorOnly = coverage::findBestRoute(vorNetwork, from, to);
    EXPECT_EQ(identsOf(vorNetwork, vorOnly), (std::vector<std::string>{"WEST", "EAST"}));
    EXPECT_NEAR(vorOnly.uncoveredNm, 170.0 - 80.0, 1e-6);

    const coverage::CoverageNetwork network(both, 8500, RangeModel::Standard);
    const coverage::BestRoute withNdb = coverage::findBestRoute(network, from, to);
    EXPECT_EQ(identsOf(network, withNdb), (std::vector<std::string>{"WEST", "NB", "EAST"}));
    EXPECT_EQ(withNdb.uncoveredNm, 0.0);
    EXPECT_NEAR(withNdb.distanceNm, 230.0, 1e-6);
    EXPECT_FALSE(withNdb.searchedEveryLeg);

    // Under the simulator model an NDB the simulator lacks reaches nowhere.
    both.back().simulatorRangeNm.reset();
    for (Station& s : both)
        s.simulatorRangeNm = s.kind == StationKind::Vor ? std::optional<double>(40.0) : std::nullopt;
    const coverage::CoverageNetwork simulator(both, 8500, RangeModel::Simulator);
    EXPECT_NEAR(coverage::findBestRoute(simulator, from, to).uncoveredNm, 90.0, 1e-6);
}

// A VOR and an NDB that bridge the gap alike: the VOR is taken while the way
// by it is less than 25 nm longer, the NDB beyond that.
TEST(NdbRoute, AVorIsTakenWhereverItDoesAsWell)
{
    const double deg = NM_PER_EQUATOR_DEGREE;
    struct Case {
        double vorNorthNm;  // the VOR lies this far north of the NDB
        const char* expected;
    };
    // Legs of 100 nm each way from the NDB; the VOR's detour is about
    // 2 (sqrt(100² + n²) - 100): 0, 19.3 (n = 45), 23.6 (n = 50), 26.4
    // (n = 53).
    const Case cases[] = {{0.0, "VV"}, {45.0, "VV"}, {50.0, "VV"}, {53.0, "NB"}};
    for (const Case& c : cases) {
        const std::vector<Station> stations{
            onEquator("NB", StationKind::Ndb, 100, 150),
            station("VV", StationKind::Vor, c.vorNorthNm / deg, 100 / deg, 150),
        };
        const coverage::CoverageNetwork network(stations, 8500, RangeModel::Simulator);
        const coverage::BestRoute route = coverage::findBestRoute(network, eastOnEquator(0), eastOnEquator(200));
        ASSERT_EQ(route.stations.size(), 1u) << c.vorNorthNm;
        EXPECT_EQ(network.station(route.stations[0]).ident, c.expected) << c.vorNorthNm;
        EXPECT_EQ(route.uncoveredNm, 0.0);
    }
}

// The bounds the searches prune with hold on either side of the geodesic,
// near the poles, across the antimeridian and halfway round the earth.
TEST(Geodesy, BoundsEncloseTheGeodesic)
{
    std::mt19937 random(27);
    std::uniform_real_distribution<double> latitude(-89.9, 89.9), longitude(-180.0, 180.0), step(-3.0, 3.0);
    for (int i = 0; i < 4000; ++i) {
        const double lat1 = latitude(random), lon1 = longitude(random);
        // Half the pairs near each other, where ranges decide.
        const bool near = i % 2 == 0;
        const double lat2 = near ? std::clamp(lat1 + step(random), -90.0, 90.0) : latitude(random);
        double lon2 = near ? lon1 + step(random) : longitude(random);
        lon2 = lon2 > 180.0 ? lon2 - 360.0 : lon2 < -180.0 ? lon2 + 360.0 : lon2;
        const double exact = coverage::geodesicNm(lat1, lon1, lat2, lon2);
        const coverage::Direction a = coverage::directionOf(lat1, lon1), b = coverage::directionOf(lat2, lon2);
        EXPECT_LE(coverage::seriesLowerBoundNm(a, b), exact + 1e-9) << lat1 << " " << lon1 << " " << lat2 << " " << lon2;
        EXPECT_GE(coverage::geodesicUpperBoundNm(a, b), exact) << lat1 << " " << lon1 << " " << lat2 << " " << lon2;
        EXPECT_LE(coverage::geodesicUpperBoundNm(a, b), exact * 1.007 + 1e-6);
    }
}

// Small random worlds of VORs and NDBs straddling the antimeridian, some
// joined by covered legs and some not, one in three with a station of a
// far wider range than the rest, against trying every route.
TEST(NdbRoute, AgreesWithTryingEveryRoute)
{
    std::mt19937 random(20261227);
    std::uniform_real_distribution<double> latitude(-20.0, -17.0), longitude(177.5, 182.5), range(10.0, 75.0);
    std::bernoulli_distribution ndb(0.5);
    for (int world = 0; world < 24; ++world) {
        std::vector<Station> stations;
        for (int i = 0; i < 7; ++i) {
            const double lon = longitude(random);
            stations.push_back(station("S" + std::to_string(i), ndb(random) ? StationKind::Ndb : StationKind::Vor,
                                       latitude(random), lon > 180.0 ? lon - 360.0 : lon, range(random)));
        }
        if (world % 3 == 0)
            stations[static_cast<std::size_t>(world) % 7].simulatorRangeNm = 190.0;
        const coverage::RouteEnd from{latitude(random), 177.0}, to{latitude(random), -177.0};
        const coverage::CoverageNetwork network(stations, 8500, RangeModel::Simulator);
        const coverage::BestRoute route = coverage::findBestRoute(network, from, to);

        const coveragetest::TriedRoute best = coveragetest::tryEveryRoute(stations, network, from, to);
        double penalties = 0.0;
        for (std::size_t s : route.stations)
            penalties += network.penaltyNm(s);
        EXPECT_NEAR(route.uncoveredNm, best.uncoveredNm, 1e-6) << "world " << world;
        EXPECT_NEAR(route.distanceNm + coverage::PER_LEG_NM * static_cast<double>(route.stations.size() + 1) + penalties,
                    best.costNm, 1e-6)
            << "world " << world;
        EXPECT_EQ(route.stations, best.stations) << "world " << world;
    }
}
