// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace navdb {

class SqliteDb;

// The rows of airport_search, the table the airport search reads: one per
// airport, under the airport's ID, with its ident, IATA code, name and city
// in the search key form (search/SearchKey.h). Rows are stored best first
// (largest kind of airport, then by name), so that a search reading the
// table in Position order meets the likeliest airports first and can stop.
class AirportSearchRows {
public:
    // Texts as the source writes them; rank from airportRank.
    void add(long long id, std::string_view ident, std::string_view iata, std::string_view name,
             std::string_view city, int rank);
    // Inserts the rows collected so far into the (empty) table.
    void write(SqliteDb& db);

private:
    struct Row {
        int rank;
        std::string words;
        long long id;
        std::string ident;
        std::string iata;  // "" when the airport has none
    };
    std::vector<Row> m_rows;
};

// How prominent an airport of an OurAirports type is, as the importer reads
// the type (upper case): 0 LARGE_AIRPORT, 1 MEDIUM_AIRPORT, 2 SMALL_AIRPORT,
// 3 SEAPLANE_BASE, 4 anything else (heliports).
int airportRank(std::string_view type);

}  // namespace navdb
