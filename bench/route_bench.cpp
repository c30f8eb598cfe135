// SPDX-License-Identifier: GPL-3.0-or-later
// Times the route search on the world database for a fixed, seeded set of
// airport pairs, and the same search on points held in memory, which also
// cross-checks the routes. Run in the directory that holds VORS.MDB:
//   route_bench [PAIRS] [--quiet]
#include "route/AirportLookup.h"
#include "data/ConnectionString.h"
#include "data/DBException.h"
#include "data/Database.h"
#include "bench/MemoryRouteSearch.h"
#include "data/Recordset.h"
#include "route/RouteSearch.h"
#include "route/RowSink.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Pair {
    std::string from, to, kind;
};

// Airports with a runway of 7,000 ft or more: the large and medium fields
// that airline and long-range pilots fly between.
std::vector<std::string> MajorAirports(CDatabase* db)
{
    std::set<std::string> ids;
    CRecordset rs(db);
    rs.Open(CRecordset::forwardOnly, "SELECT airport_id FROM runways WHERE Length>=7000", CRecordset::none);
    for (; !rs.IsEOF(); rs.MoveNext()) {
        std::string id;
        rs.GetFieldValue("airport_id", id);
        ids.insert(id);
    }
    return {ids.begin(), ids.end()};
}

std::vector<Pair> ChoosePairs(CDatabase* db, const MemoryRouteSearch& memory, int count)
{
    std::vector<Pair> pairs;
    const char* fixed[][2] = {{"KJFK", "KLAX"}, {"KJFK", "KBOS"}, {"EGLL", "LFPG"},
                              {"KSFO", "KSEA"}, {"EDDF", "LEMD"}, {"YSSY", "YMML"}};
    for (auto& f : fixed) {
        std::string a = FindAirportID(db, f[0]), b = FindAirportID(db, f[1]);
        if (!a.empty() && !b.empty())
            pairs.push_back({a, b, std::string(f[0]) + "-" + f[1]});
    }
    std::vector<std::string> major = MajorAirports(db);
    std::mt19937 random(20261207);
    std::uniform_int_distribution<std::size_t> pick(0, major.size() - 1);
    struct Band {
        const char* kind;
        double min, max;
        int share;  // of 10
    } bands[] = {{"short", 40, 200, 4}, {"regional", 200, 800, 4}, {"long", 1500, 3000, 2}};
    int remaining = count - static_cast<int>(pairs.size());
    for (const Band& band : bands) {
        int wanted = remaining * band.share / 10;
        for (int attempts = 0; wanted > 0 && attempts < 2000000; ++attempts) {
            const std::string& a = major[pick(random)];
            const std::string& b = major[pick(random)];
            double d = FlatDistance(memory.Airport(a).position, memory.Airport(b).position);
            if (a != b && d >= band.min && d <= band.max) {
                pairs.push_back({a, b, band.kind});
                --wanted;
            }
        }
    }
    return pairs;
}

double Percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    std::size_t index = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

}  // namespace

int main(int argc, char** argv)
{
    int count = 220;
    bool quiet = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quiet") == 0)
            quiet = true;
        else
            count = std::max(10, std::atoi(argv[i]));
    }

    try {
        CDatabase db;
        db.Open(nullptr, false, true, NAVDB_CONNECT_STRING, true);

        auto loadStart = Clock::now();
        MemoryRouteSearch memory(&db);
        double loadMs = Ms(Clock::now() - loadStart);
        std::vector<Pair> pairs = ChoosePairs(&db, memory, count);

        std::vector<double> sqlMs, memMs, statements;
        int mismatches = 0;
        if (!quiet)
            std::printf("%-8s %-8s %-10s %7s %10s %10s %10s\n", "from", "to", "kind", "beacons", "statements",
                        "sql ms", "memory ms");
        for (const Pair& pair : pairs) {
            RowList rows(ROUTE_COLUMNS);
            auto before = db.GetStatementCount();
            auto start = Clock::now();
            RouteSearch(&db, pair.from, pair.to, rows).Run();
            sqlMs.push_back(Ms(Clock::now() - start));
            statements.push_back(static_cast<double>(db.GetStatementCount() - before));

            start = Clock::now();
            std::vector<std::string> ids = memory.Run(pair.from, pair.to);
            memMs.push_back(Ms(Clock::now() - start));

            bool same = static_cast<int>(ids.size()) == rows.GetItemCount();
            for (std::size_t i = 0; same && i < ids.size(); ++i) {
                const auto& beacon = memory.Beacon(ids[i]);
                const auto& row = rows.Rows()[i];
                same = row[0] == beacon.name && row[2] == beacon.latText && row[3] == beacon.longText;
            }
            if (!same) {
                ++mismatches;
                std::printf("MISMATCH %s -> %s\n", pair.from.c_str(), pair.to.c_str());
            }
            if (!quiet)
                std::printf("%-8s %-8s %-10s %7d %10.0f %10.2f %10.3f\n", pair.from.c_str(), pair.to.c_str(),
                            pair.kind.c_str(), rows.GetItemCount(), statements.back(), sqlMs.back(), memMs.back());
        }

        double sqlTotal = 0, memTotal = 0, statementTotal = 0;
        std::vector<double> ratios, perStatementUs;
        for (std::size_t i = 0; i < pairs.size(); ++i) {
            sqlTotal += sqlMs[i];
            memTotal += memMs[i];
            statementTotal += statements[i];
            if (memMs[i] > 0)
                ratios.push_back(sqlMs[i] / memMs[i]);
            if (statements[i] > 0)
                perStatementUs.push_back(1000.0 * sqlMs[i] / statements[i]);
        }
        std::printf("\nroutes: %zu  (memory load %.1f ms)\n", pairs.size(), loadMs);
        std::printf("statements per route: median %.0f  p95 %.0f  max %.0f\n", Percentile(statements, 0.5),
                    Percentile(statements, 0.95), Percentile(statements, 1.0));
        std::printf("sql search ms:        median %.2f  p95 %.2f  max %.2f\n", Percentile(sqlMs, 0.5),
                    Percentile(sqlMs, 0.95), Percentile(sqlMs, 1.0));
        std::printf("memory search ms:     median %.3f  p95 %.3f  max %.3f\n", Percentile(memMs, 0.5),
                    Percentile(memMs, 0.95), Percentile(memMs, 1.0));
        // The statements carry the cost of the search through the database:
        // its time over their number is what one statement costs here.
        std::printf("us per statement:     %.2f  (route median %.2f  p95 %.2f)\n",
                    statementTotal > 0 ? 1000.0 * sqlTotal / statementTotal : 0.0,
                    perStatementUs.empty() ? 0.0 : Percentile(perStatementUs, 0.5),
                    perStatementUs.empty() ? 0.0 : Percentile(perStatementUs, 0.95));
        std::printf("sql / memory time:    %.1f  (route median %.1f)\n", memTotal > 0 ? sqlTotal / memTotal : 0.0,
                    ratios.empty() ? 0.0 : Percentile(ratios, 0.5));
        for (std::size_t i = 0; i < pairs.size(); ++i) {
            if (pairs[i].kind == "KJFK-KLAX")
                std::printf("KJFK-KLAX:            %.2f ms  (%.0f statements, memory %.3f ms)\n", sqlMs[i],
                            statements[i], memMs[i]);
        }
        std::printf("routes differing:     %d\n", mismatches);
        return mismatches == 0 ? 0 : 3;
    } catch (const CDBException& e) {
        std::fprintf(stderr, "route_bench: %s", e.what());
        return 1;
    }
}
