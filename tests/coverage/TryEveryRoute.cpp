// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/coverage/TryEveryRoute.h"

#include "coverage/Geodesy.h"

#include <algorithm>

namespace coveragetest {

using coverage::Station;

Station station(const std::string& ident, coverage::StationKind kind, double latitude, double longitude,
                double rangeNm)
{
    Station s;
    s.ident = ident;
    s.kind = kind;
    s.latitude = latitude;
    s.longitude = longitude;
    s.simulatorRangeNm = rangeNm;
    return s;
}

Station station(const std::string& ident, double latitude, double longitude, double rangeNm)
{
    return station(ident, coverage::StationKind::Vor, latitude, longitude, rangeNm);
}

std::vector<std::string> identsOf(const coverage::CoverageNetwork& network, const coverage::BestRoute& route)
{
    std::vector<std::string> idents;
    for (std::size_t i : route.stations)
        idents.push_back(network.station(i).ident);
    return idents;
}

namespace {

struct Cost {
    double uncovered, length;
};

struct Search {
    const std::vector<Station>& stations;
    std::vector<double> ranges;
    coverage::RouteEnd to;
    std::vector<std::size_t> path;
    std::vector<bool> used;
    TriedRoute best;

    void extend(double lat, double lon, double range, Cost sofar)
    {
        const auto leg = [](double lat1, double lon1, double r1, double lat2, double lon2, double r2) {
            const double d = coverage::geodesicNm(lat1, lon1, lat2, lon2);
            return Cost{std::max(0.0, d - r1 - r2), d + 10.0};
        };
        const Cost last = leg(lat, lon, range, to.latitude, to.longitude, 0.0);
        const Cost whole{sofar.uncovered + last.uncovered, sofar.length + last.length};
        if (whole.uncovered < best.uncoveredNm - 1e-9 ||
            (whole.uncovered < best.uncoveredNm + 1e-9 && whole.length < best.costNm - 1e-9))
            best = {whole.uncovered, whole.length, path};
        for (std::size_t i = 0; i < stations.size(); ++i) {
            if (used[i])
                continue;
            Cost step = leg(lat, lon, range, stations[i].latitude, stations[i].longitude, ranges[i]);
            if (stations[i].kind == coverage::StationKind::Ndb)
                step.length += 25.0;
            used[i] = true;
            path.push_back(i);
            extend(stations[i].latitude, stations[i].longitude, ranges[i],
                   {sofar.uncovered + step.uncovered, sofar.length + step.length});
            path.pop_back();
            used[i] = false;
        }
    }
};

}  // namespace

TriedRoute tryEveryRoute(const std::vector<Station>& stations, const coverage::CoverageNetwork& network,
                         const coverage::RouteEnd& from, const coverage::RouteEnd& to)
{
    Search search{stations, {}, to, {}, std::vector<bool>(stations.size(), false), {}};
    for (std::size_t i = 0; i < stations.size(); ++i)
        search.ranges.push_back(network.rangeNm(i));
    search.extend(from.latitude, from.longitude, 0.0, {0.0, 0.0});
    return search.best;
}

}  // namespace coveragetest
