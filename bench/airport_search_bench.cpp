// SPDX-License-Identifier: GPL-3.0-or-later
// Times the airport search on the world database: the whole text of each
// sample, and every keystroke on the way to it, as the airport dialog runs
// one search per keystroke. Run in the directory that holds VORS.MDB.
#include "data/ConnectionString.h"
#include "data/DBException.h"
#include "data/Database.h"
#include "search/AirportSearch.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using search::AirportMatch;
using search::AirportSearch;

// The sorted times of `runs` searches for the text, in milliseconds, and the
// last search's matches.
std::vector<double> Time(AirportSearch& search, const std::string& text, int runs, std::vector<AirportMatch>& found)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        auto start = std::chrono::steady_clock::now();
        found = search.find(text);
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times;
}

}  // namespace

int main()
{
    // The samples of a pilot's typing, then texts that make the search read
    // the whole table: one that nothing holds, one that many names hold
    // inside a word but none at a word's start.
    const std::vector<std::string> texts = {"jfk", "heathrow", "zurich", "san", "a", "international",
                                            "kennedy", "Zürich", "san fr", "san francisco", "sfo", "zzqx", "rport"};
    try {
        CDatabase db;
        db.Open(nullptr, false, true, NAVDB_CONNECT_STRING, true);
        AirportSearch search(&db);
        if (!search.available()) {
            std::fprintf(stderr, "airport_search_bench: VORS.MDB has no airport search table\n");
            return 1;
        }
        std::printf("%-14s %5s %10s %8s %18s  %s\n", "text", "found", "median ms", "max ms", "slowest prefix ms",
                    "best match");
        double worst = 0.0;
        for (const std::string& text : texts) {
            std::vector<AirportMatch> found;
            // Every keystroke up to the whole text, as typed, each by its
            // median: a single slow run says more about the machine.
            double slowestPrefix = 0.0;
            for (std::size_t length = 1; length < text.size(); ++length) {
                std::vector<AirportMatch> partial;
                slowestPrefix = std::max(slowestPrefix, Time(search, text.substr(0, length), 5, partial)[2]);
            }
            const std::vector<double> times = Time(search, text, 9, found);
            worst = std::max({worst, times[times.size() / 2], slowestPrefix});
            const std::string best =
                found.empty() ? "-" : found[0].ident + " " + found[0].iata + " " + found[0].name + ", " + found[0].city;
            std::printf("%-14s %5zu %10.2f %8.2f %18.2f  %s\n", text.c_str(), found.size(), times[times.size() / 2],
                        times.back(), slowestPrefix, best.c_str());
        }
        std::printf("\nslowest keystroke (median of its runs): %.2f ms (goal: under 20 ms)\n", worst);
    } catch (const CDBException& e) {
        std::fprintf(stderr, "airport_search_bench: %s", e.what());
        return 1;
    }
    return 0;
}
