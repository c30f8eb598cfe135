// SPDX-License-Identifier: GPL-3.0-or-later
// Times the best covered route on the world database: reading the stations
// (one query), building the whole network of covered legs at several
// altitudes under both range models, and the search on a network of its
// own (finding the legs it needs) over a set of airport pairs. Run in the
// directory that holds VORS.MDB; --navaids vor+ndb searches over the NDBs as
// well as the VORs (vor, alone, is the default); --routes also prints every
// route found, one line each, for checking against another model.
// Times are the process's CPU time, which a machine busy with other work
// does not inflate the way it does the wall clock; the wall clock's 99th
// percentile is printed beside them.
#include "coverage/BestRoute.h"
#include "coverage/CoverageNetwork.h"
#include "coverage/StationRange.h"
#include "data/ConnectionString.h"
#include "data/DBException.h"
#include "data/Database.h"
#include "bench/BenchClock.h"
#include "data/Recordset.h"
#include "search/StationFactsCache.h"
#include "search/StationReader.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdlib.h>
#include <cstring>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using bench::Clock;
using bench::millisecondsSince;

double cpuMilliseconds()
{
    return bench::cpuMilliseconds(CLOCK_PROCESS_CPUTIME_ID);
}

struct Airport {
    std::string ident;
    double latitude = 0.0, longitude = 0.0;
    bool found = false;
};

Airport readAirport(CDatabase& db, const std::string& ident)
{
    Airport airport{ident};
    CRecordset rs(&db);
    rs.SetParameters({ident});
    rs.Open(CRecordset::forwardOnly,
            "SELECT airport_facts.Latitude AS Latitude, airport_facts.Longitude AS Longitude FROM airports"
            " JOIN airport_facts ON airport_facts.ID=airports.ID WHERE airports.Ident=?",
            CRecordset::none);
    if (!rs.IsEOF()) {
        airport.latitude = std::strtod(rs.GetFieldValue("Latitude").c_str(), nullptr);
        airport.longitude = std::strtod(rs.GetFieldValue("Longitude").c_str(), nullptr);
        airport.found = true;
    }
    return airport;
}

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    const std::size_t index = std::min(values.size() - 1, static_cast<std::size_t>(p * (values.size() - 1) + 0.5));
    return values[index];
}

// Short and long, over land and water, in every quarter of the world and
// across the antimeridian.
const char* const PAIRS[][2] = {
    {"KJFK", "KBOS"}, {"EGLL", "LFPG"}, {"KJFK", "KLAX"}, {"KSFO", "KLAX"}, {"EDDF", "LIRF"}, {"NFFN", "NSFA"},
    {"YSSY", "YPPH"}, {"FHSH", "FACT"}, {"KSEA", "KMIA"}, {"CYVR", "CYYZ"}, {"EGPH", "LEMD"}, {"LFPG", "LGAV"},
    {"EHAM", "ESSA"}, {"UUEE", "ULLI"}, {"RJTT", "RJFF"}, {"ZBAA", "ZSPD"}, {"VIDP", "VABB"}, {"OMDB", "OERK"},
    {"FAOR", "FACT"}, {"SBGR", "SBGL"}, {"SCEL", "SAEZ"}, {"MMMX", "KIAH"}, {"PANC", "PAFA"}, {"PHNL", "PHTO"},
    {"YMML", "YSSY"}, {"NZAA", "NZCH"}, {"WSSS", "WMKK"}, {"HECA", "LLBG"}, {"KDEN", "KORD"}, {"PAFA", "UHMA"},
};

}  // namespace

int main(int argc, char** argv)
{
    bool printRoutes = false;
    coverage::Navaids navaids = coverage::Navaids::Vor;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--routes") == 0) {
            printRoutes = true;
        } else if (std::strcmp(argv[i], "--navaids") == 0 && i + 1 < argc && coverage::parseNavaids(argv[i + 1])) {
            navaids = *coverage::parseNavaids(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: coverage_bench [--navaids vor|vor+ndb] [--routes]\n");
            return 2;
        }
    }
    const bool withNdbs = navaids == coverage::Navaids::VorNdb;
    try {
        CDatabase db;
        db.Open(nullptr, false, true, NAVDB_CONNECT_STRING, true);

        // What the planner reads (no names), and everything; the NDBs
        // after the VORs, as the planner lists them.
        std::vector<double> readTimes, fullReadTimes;
        std::vector<coverage::Station> stations;
        for (int run = 0; run < 5; ++run) {
            double start = cpuMilliseconds();
            search::StationReader reader(&db);
            stations = reader.readSearchFacts();
            if (withNdbs) {
                std::vector<coverage::Station> ndbs = reader.readNdbSearchFacts();
                stations.insert(stations.end(), ndbs.begin(), ndbs.end());
            }
            readTimes.push_back(cpuMilliseconds() - start);
            start = cpuMilliseconds();
            std::vector<coverage::Station> full = reader.readAll();
            if (withNdbs) {
                // The NDBs' texts come by ID, as the planner reads a route's.
                std::vector<std::int64_t> ids;
                for (std::size_t i = full.size(); i < stations.size(); ++i)
                    ids.push_back(stations[i].id);
                std::vector<coverage::Station> ndbs = reader.readByIds(ids);
                full.insert(full.end(), ndbs.begin(), ndbs.end());
            }
            fullReadTimes.push_back(cpuMilliseconds() - start);
            if (printRoutes)
                stations = std::move(full);  // for the idents
        }
        std::vector<Airport> airports;
        for (const auto& pair : PAIRS) {
            for (const char* ident : pair)
                airports.push_back(readAirport(db, ident));
        }

        std::printf("navaids: %s\n", coverage::navaidsName(navaids));
        // As the planner reads them: through the cache beside the database,
        // filled by the first reading (a directory of the bench's own).
        std::vector<double> cachedTimes;
        char cacheDir[] = "/tmp/coverage-bench-XXXXXX";
        if (mkdtemp(cacheDir) != nullptr) {
            const search::StationFactsCache cache(cacheDir);
            for (int run = 0; run < 6; ++run) {
                const double start = cpuMilliseconds();
                std::vector<coverage::Station> cached;
                cache.appendSearchFacts(&db, coverage::StationKind::Vor, cached);
                if (withNdbs)
                    cache.appendSearchFacts(&db, coverage::StationKind::Ndb, cached);
                if (run > 0 && cache.lastFromCache())
                    cachedTimes.push_back(cpuMilliseconds() - start);
            }
            std::filesystem::remove_all(cacheDir);
        }
        std::printf("stations: %zu, read in %.1f ms CPU for the search, %.1f ms with their texts (medians of 5)\n",
                    stations.size(), percentile(readTimes, 0.5), percentile(fullReadTimes, 0.5));
        if (!cachedTimes.empty())
            std::printf("from the stations' cache: %.2f ms CPU (median of %zu)\n", percentile(cachedTimes, 0.5),
                        cachedTimes.size());
        std::printf("\n");
        std::printf("%-9s %8s %12s %10s %8s %8s %8s %12s %8s %9s\n", "ranges", "cruise", "covered legs", "build ms",
                    "p50 ms", "p99 ms", "max ms", "wall p99 ms", "covered", "uncovered");
        double worstBuild = 0.0, worstP99 = 0.0;
        std::vector<double> coveredSearches, everyLegSearches;
        for (const coverage::RangeModel model : {coverage::RangeModel::Standard, coverage::RangeModel::Simulator}) {
            for (const int cruise : {1500, 3500, 8500, 12500, 18500}) {
                if (std::getenv("COVERAGE_BENCH_CRUISE") && std::atoi(std::getenv("COVERAGE_BENCH_CRUISE")) != cruise)
                    continue;
                // The whole network, every covered leg found, as the search
                // over every leg needs it.
                const double buildStart = cpuMilliseconds();
                const coverage::CoverageNetwork network(stations, cruise, model);
                const std::size_t legs = network.legCount();
                const double build = cpuMilliseconds() - buildStart;
                std::vector<double> times, wallTimes;
                int covered = 0, uncovered = 0;
                for (std::size_t p = 0; p + 1 < airports.size(); p += 2) {
                    const Airport& from = airports[p];
                    const Airport& to = airports[p + 1];
                    if (!from.found || !to.found)
                        continue;
                    coverage::BestRoute route;
                    double lastMs = 0.0;
                    for (int run = 0; run < 3; ++run) {
                        // As the planner searches: a network of its own,
                        // whose legs are found as the search needs them.
                        const auto wallStart = Clock::now();
                        const double start = cpuMilliseconds();
                        const coverage::CoverageNetwork fresh(stations, cruise, model);
                        route = coverage::findBestRoute(fresh, {from.latitude, from.longitude},
                                                        {to.latitude, to.longitude});
                        const double ms = cpuMilliseconds() - start;
                        times.push_back(ms);
                        lastMs = ms;
                        wallTimes.push_back(millisecondsSince(wallStart));
                        (route.searchedEveryLeg ? everyLegSearches : coveredSearches).push_back(ms);
                    }
                    (route.uncoveredNm == 0.0 ? covered : uncovered) += 1;
                    if (printRoutes) {
                        std::printf("ROUTE %s %s %d %s %.6f %.6f", from.ident.c_str(), to.ident.c_str(), cruise,
                                    coverage::rangeModelName(model), route.uncoveredNm, route.distanceNm);
                        std::fprintf(stderr, "%s %s %d %s %.3f ms\n", from.ident.c_str(), to.ident.c_str(), cruise,
                                     coverage::rangeModelName(model), lastMs);
                        for (std::size_t s : route.stations)
                            std::printf(" %s", network.station(s).ident.c_str());
                        std::printf("\n");
                    }
                }
                worstBuild = std::max(worstBuild, build);
                worstP99 = std::max(worstP99, percentile(times, 0.99));
                std::printf("%-9s %8d %12zu %10.1f %8.3f %8.3f %8.3f %12.3f %8d %9d\n",
                            coverage::rangeModelName(model), cruise, legs, build,
                            percentile(times, 0.5), percentile(times, 0.99), percentile(times, 1.0),
                            percentile(wallTimes, 0.99), covered, uncovered);
            }
        }
        std::printf("\nreading the stations and building the network: at most %.1f ms (goal: under 50 ms)\n",
                    percentile(readTimes, 0.5) + worstBuild);
        std::printf("best route, 99th percentile: at most %.3f ms (goal: under 5 ms)\n", worstP99);
        if (!coveredSearches.empty())
            std::printf("where a covered route exists (%zu searches): p99 %.3f ms, max %.3f ms\n",
                        coveredSearches.size(), percentile(coveredSearches, 0.99),
                        percentile(coveredSearches, 1.0));
        if (!everyLegSearches.empty())
            std::printf("where none exists, over every leg (%zu searches): p50 %.1f ms, p99 %.1f ms\n",
                        everyLegSearches.size(), percentile(everyLegSearches, 0.5),
                        percentile(everyLegSearches, 0.99));
    } catch (const CDBException& e) {
        std::fprintf(stderr, "coverage_bench: %s", e.what());
        return 1;
    }
    return 0;
}
