// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/SearchFixture.h"

#include "tools/navdb/AirportSearchRows.h"
#include "tools/navdb/SqliteDb.h"

#include <sqlite3.h>

#include <stdexcept>

namespace {

std::string Column(sqlite3_stmt* row, int column)
{
    const unsigned char* text = sqlite3_column_text(row, column);
    return text ? reinterpret_cast<const char*>(text) : "";
}

}  // namespace

void IndexAirportsForSearch(const std::string& file, const std::map<long long, int>& ranks)
{
    const int smallAirport = navdb::airportRank("SMALL_AIRPORT");
    navdb::SqliteDb db(file);
    navdb::AirportSearchRows rows;
    sqlite3_stmt* select = nullptr;
    if (sqlite3_prepare_v2(db.handle(),
                           "SELECT a.ID, a.Ident, f.IATA, a.Name, a.city FROM airports a"
                           " LEFT JOIN airport_facts f ON f.ID = a.ID",
                           -1, &select, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db.handle()));
    while (sqlite3_step(select) == SQLITE_ROW) {
        const long long id = sqlite3_column_int64(select, 0);
        const auto rank = ranks.find(id);
        rows.add(id, Column(select, 1), Column(select, 2), Column(select, 3), Column(select, 4),
                 rank == ranks.end() ? smallAirport : rank->second);
    }
    sqlite3_finalize(select);
    db.exec("DELETE FROM airport_search");
    rows.write(db);
    db.close();
}
