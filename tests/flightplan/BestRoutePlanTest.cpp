// SPDX-License-Identifier: GPL-3.0-or-later
#include "flightplan/BestRoutePlan.h"
#include "flightplan/MagneticModel.h"
#include "flightplan/PlanCalculation.h"

#include "coverage/BestRoute.h"
#include "coverage/CoverageNetwork.h"
#include "coverage/Geodesy.h"

#include "tests/support/TestWaypoints.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

using namespace flightplan;
using coverage::RangeModel;
using coverage::Station;

namespace {

Waypoint airport(const std::string& ident, double latitude, double longitude, double elevationFt = 0.0)
{
    Waypoint p;
    p.ident = p.name = ident;
    p.latitude = latitude;
    p.longitude = longitude;
    p.elevationFt = elevationFt;
    return p;
}

PlanOptions on2025(RangeModel ranges = RangeModel::Standard)
{
    PlanOptions options;
    options.date = CivilDate{2025, 6, 1};
    options.rangeModel = ranges;
    return options;
}

double nm(double lat1, double lon1, double lat2, double lon2)
{
    return coverage::geodesicNm(lat1, lon1, lat2, lon2);
}

// A stand-in for the listed route: the greedy chain the route search makes,
// each hop to a station within 150 nm that lies strictly nearer the
// destination, the one with the least sum of the two distances. Any chain
// of distinct stations will do for the invariant; this one is like the
// real one, often good and sometimes poor.
std::vector<Waypoint> greedyRoute(const Waypoint& departure, const Waypoint& destination,
                                  const std::vector<Station>& stations)
{
    std::vector<Waypoint> route{departure};
    double lat = departure.latitude, lon = departure.longitude;
    for (;;) {
        const double here = nm(lat, lon, destination.latitude, destination.longitude);
        const Station* next = nullptr;
        double bestSum = 0.0;
        for (const Station& s : stations) {
            const double hop = nm(lat, lon, s.latitude, s.longitude);
            const double left = nm(s.latitude, s.longitude, destination.latitude, destination.longitude);
            if (hop > 150.0 || left >= here)
                continue;
            if (!next || hop + left < bestSum) {
                next = &s;
                bestSum = hop + left;
            }
        }
        if (!next)
            break;
        route.push_back(waypointOf(*next));
        lat = next->latitude;
        lon = next->longitude;
    }
    route.push_back(destination);
    return route;
}

// A world of stations scattered over a box around the two airports: classes,
// elevations up to 9,000 ft and simulator ranges (some stations lacking one)
// drawn from a seeded generator, the same every run.
std::vector<Station> scatter(unsigned seed, double lat0, double lon0, double lat1, double lon1, int count)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double south = std::min(lat0, lat1) - 2.0, north = std::max(lat0, lat1) + 2.0;
    // Across the antimeridian the box runs east from the western airport.
    double west = std::min(lon0, lon1), east = std::max(lon0, lon1);
    if (east - west > 180.0)
        std::swap(west, east), east += 360.0;
    west -= 2.0;
    east += 2.0;
    std::vector<Station> stations;
    for (int i = 0; i < count; ++i) {
        Station s;
        s.id = i + 1;
        s.ident = "S" + std::to_string(i);
        s.name = s.ident;
        s.latitude = south + (north - south) * unit(random);
        double lon = west + (east - west) * unit(random);
        s.longitude = lon > 180.0 ? lon - 360.0 : lon;
        s.elevationFt = std::floor(9000.0 * unit(random) * unit(random));
        const double kind = unit(random);
        s.serviceClass = kind < 0.2 ? 'T' : kind < 0.7 ? 'L' : 'H';
        if (unit(random) < 0.85)
            s.simulatorRangeNm = s.serviceClass == 'T' ? 25.0 : s.serviceClass == 'L' ? 40.0 : 130.0;
        stations.push_back(s);
    }
    return stations;
}

struct Pair {
    const char* what;
    Waypoint departure, destination;
};

}  // namespace

// At default settings the best route never leaves more uncovered than the
// listed one and never cruises lower; and it is flown at the altitude it
// was searched at, so that searching there again finds the same route.
TEST(BestRoutePlan, NeverWorseCoveredNorLowerThanTheListedRoute)
{
    const Pair pairs[] = {
        {"westbound in the north-west", airport("KAAA", 40.6, -73.8), airport("KBBB", 39.0, -80.5, 1200)},
        {"eastbound in the north-west", airport("KBBB", 39.0, -80.5, 1200), airport("KAAA", 40.6, -73.8)},
        {"south-east, southbound", airport("YAAA", -33.9, 151.2, 20), airport("YBBB", -37.7, 144.8, 400)},
        {"south-east, northbound", airport("YBBB", -37.7, 144.8, 400), airport("YAAA", -33.9, 151.2, 20)},
        {"across the antimeridian", airport("NFFA", -17.8, 177.4), airport("NSFB", -13.8, -172.0)},
        {"across it westbound", airport("NSFB", -13.8, -172.0), airport("NFFA", -17.8, 177.4)},
        {"on the equator, east", airport("EQAA", 0.0, 10.0), airport("EQBB", 0.5, 16.0)},
        {"far north", airport("NAAA", 64.8, -147.9, 400), airport("NBBB", 61.2, -150.0, 100)},
        {"high fields", airport("HAAA", 39.9, -105.0, 5400), airport("HBBB", 38.8, -104.7, 6200)},
    };
    int routes = 0;
    for (const Pair& pair : pairs) {
        for (unsigned seed = 1; seed <= 4; ++seed) {
            const std::vector<Station> stations =
                scatter(seed * 7919u, pair.departure.latitude, pair.departure.longitude,
                        pair.destination.latitude, pair.destination.longitude, 70);
            for (RangeModel ranges : {RangeModel::Standard, RangeModel::Simulator}) {
                SCOPED_TRACE(std::string(pair.what) + ", seed " + std::to_string(seed) + ", " +
                             coverage::rangeModelName(ranges));
                const FlightPlan listed =
                    computePlan(greedyRoute(pair.departure, pair.destination, stations), on2025(ranges), testsupport::testMagneticModel());
                PlanOptions options = on2025(ranges);
                options.minimumCruiseFt = listed.cruiseFt;
                const FlightPlan best = planBestRoute(pair.departure, pair.destination, stations, options, testsupport::testMagneticModel());

                EXPECT_LE(best.uncoveredNm, listed.uncoveredNm + 1e-6) << listed.route << " / " << best.route;
                EXPECT_GE(best.cruiseFt, listed.cruiseFt);
                // Both follow the rule for the same direction: odd or even
                // thousands alike.
                EXPECT_EQ((best.cruiseFt / 1000) % 2, (listed.cruiseFt / 1000) % 2);

                const coverage::CoverageNetwork network(stations, best.cruiseFt, ranges);
                const coverage::BestRoute again =
                    coverage::findBestRoute(network, {pair.departure.latitude, pair.departure.longitude},
                                            {pair.destination.latitude, pair.destination.longitude});
                EXPECT_NEAR(again.uncoveredNm, best.uncoveredNm, 1e-6);
                EXPECT_EQ(again.stations.size() + 2, best.waypoints.size());
                ++routes;
            }
        }
    }
    EXPECT_EQ(routes, 9 * 4 * 2);
}

// Under simulator ranges a station's reach does not depend on the altitude,
// so a route over a mountain beacon is found low down; flown at least
// 1,500 ft above the beacon, it is searched again up there, where it stays.
TEST(BestRoutePlan, ARouteOverHighGroundIsSearchedAgainWhereItIsFlown)
{
    const double nmPerDegree = 60.0;  // near enough on the equator for ranges
    std::vector<Station> stations(1);
    stations[0].id = 1;
    stations[0].ident = stations[0].name = "PEAK";
    stations[0].latitude = 0.0;
    stations[0].longitude = 1.0;
    stations[0].elevationFt = 9200.0;
    stations[0].simulatorRangeNm = 1.2 * nmPerDegree;
    const Waypoint west = airport("WEST", 0.0, 0.0), east = airport("EAST", 0.0, 2.0);
    const FlightPlan plan = planBestRoute(west, east, stations, on2025(RangeModel::Simulator), testsupport::testMagneticModel());
    EXPECT_EQ(plan.route, "WEST DCT PEAK EAST");
    EXPECT_EQ(plan.cruiseFt, 11500);  // eastbound: odd thousands above 10,700 ft
    EXPECT_EQ(plan.uncoveredNm, 0.0);
}

// The listed route's cruise is a floor; a given cruise altitude is flown as
// given, whatever the floor.
TEST(BestRoutePlan, SearchAltitudeFromTheDirectCourseAndTheFloor)
{
    const Waypoint jfk = airport("KJFK", 40.64, -73.78, 13), lax = airport("KLAX", 33.94, -118.41, 125);
    const struct {
        const char* what;
        Waypoint from, to;
        std::optional<int> floor, cruise;
        int searchFt;
    } cases[] = {
        {"westbound, no floor: 1,500 ft over KLAX", jfk, lax, {}, {}, 2500},
        {"westbound over a 8,500 ft floor", jfk, lax, 8500, {}, 8500},
        {"a floor of the wrong parity goes up", jfk, lax, 7500, {}, 8500},
        {"eastbound, no floor", lax, jfk, {}, {}, 3500},
        {"eastbound over a 9,500 ft floor", lax, jfk, 9500, {}, 9500},
        {"a given cruise wins", jfk, lax, 8500, 3000, 3000},
    };
    for (const auto& c : cases) {
        PlanOptions options = on2025();
        options.minimumCruiseFt = c.floor;
        options.cruiseFt = c.cruise;
        EXPECT_EQ(bestRouteSearchAltitudeFt(c.from, c.to, options, testsupport::testMagneticModel()), c.searchFt) << c.what;
    }
}
