// SPDX-License-Identifier: GPL-3.0-or-later
// Times each step of the airport selection cascade on the world database:
// the query a selection runs and the reading of every row it returns, as
// the dialog fills its box. Run in the directory that holds VORS.MDB.
#include "data/ConnectionString.h"
#include "data/DBException.h"
#include "data/Database.h"
#include "data/Quoting.h"
#include "data/Recordset.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Step {
    const char* what;
    std::string sql;
    const char* column;  // read from every row; "" reads the first row's Name
};

// Rows returned and the times of `runs` runs, in milliseconds.
std::pair<int, std::vector<double>> Time(CDatabase& db, const Step& step, int runs)
{
    std::vector<double> times;
    int rows = 0;
    for (int run = 0; run < runs; ++run) {
        auto start = std::chrono::steady_clock::now();
        CRecordset rs(&db);
        rs.Open(CRecordset::forwardOnly, step.sql, CRecordset::none);
        rows = 0;
        std::string value;
        for (; !rs.IsEOF(); rs.MoveNext(), ++rows)
            rs.GetFieldValue(step.column, value);
        rs.Close();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return {rows, times};
}

}  // namespace

int main()
{
    const std::string us = "region='North America' AND country='United States'";
    const std::vector<Step> steps = {
        {"open: regions", "SELECT name FROM Regions ORDER BY name", "name"},
        {"region: Europe", "SELECT name FROM countries WHERE region='Europe' ORDER BY name", "name"},
        {"region: North America", "SELECT name FROM countries WHERE region='North America' ORDER BY name", "name"},
        {"country: United States",
         "SELECT DISTINCT state FROM airports WHERE " + us + " ORDER BY state", "state"},
        {"country: Germany (cities)",
         "SELECT DISTINCT city FROM Airports WHERE region='Europe' AND country='Germany'", "city"},
        {"country: Brazil (cities)",
         "SELECT DISTINCT city FROM Airports WHERE region='South America' AND country='Brazil'", "city"},
        {"state: Texas", "SELECT DISTINCT city FROM Airports WHERE " + us + " AND state='Texas' ORDER BY city", "city"},
        {"state: Alaska", "SELECT DISTINCT city FROM Airports WHERE " + us + " AND state='Alaska' ORDER BY city",
         "city"},
        {"city: Houston",
         "SELECT DISTINCT name FROM airports WHERE " + us + " AND city='Houston' AND state='Texas' ORDER BY name",
         "name"},
        {"city: (no city), Texas",
         "SELECT DISTINCT name FROM airports WHERE " + us + " AND city='' AND state='Texas' ORDER BY name", "name"},
        {"All Cities: Texas", "Select DISTINCT name FROM airports WHERE " + us + " AND state='Texas'", "name"},
        {"All Cities: Alaska", "Select DISTINCT name FROM airports WHERE " + us + " AND state='Alaska'", "name"},
        {"airport: George Bush Intercontinental",
         "SELECT * FROM airports WHERE " + us + " AND name='" +
             EscapeQuotes("George Bush Intercontinental Airport") + "' AND city='Houston' AND state='Texas'",
         "Name"},
        {"airport, All Cities: George Bush Intercontinental",
         "SELECT * FROM airports WHERE " + us + " AND name='" +
             EscapeQuotes("George Bush Intercontinental Airport") + "' AND state='Texas'",
         "Name"},
        {"airport runways: KIAH",
         "SELECT * FROM runways,airports WHERE runways.airport_id=airports.ID AND airports.ID=(SELECT ID FROM "
         "airports WHERE Ident='KIAH')",
         "Number"},
    };

    try {
        CDatabase db;
        db.Open(nullptr, false, true, NAVDB_CONNECT_STRING, true);
        std::printf("%-52s %6s %10s %10s\n", "cascade step", "rows", "median ms", "max ms");
        double worst = 0.0;
        for (const Step& step : steps) {
            auto [rows, times] = Time(db, step, 7);
            worst = std::max(worst, times.back());
            std::printf("%-52s %6d %10.2f %10.2f\n", step.what, rows, times[times.size() / 2], times.back());
        }
        std::printf("\nslowest step: %.2f ms (goal: under 50 ms)\n", worst);
    } catch (const CDBException& e) {
        std::fprintf(stderr, "cascade_bench: %s", e.what());
        return 1;
    }
    return 0;
}
