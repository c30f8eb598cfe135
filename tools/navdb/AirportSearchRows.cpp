// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/AirportSearchRows.h"

#include "tools/navdb/SqliteDb.h"
#include "search/SearchKey.h"

#include <algorithm>
#include <array>
#include <optional>
#include <tuple>

namespace navdb {

using search::searchKey;

void AirportSearchRows::add(long long id, std::string_view ident, std::string_view iata, std::string_view name,
                            std::string_view city, int rank)
{
    const std::string identKey = searchKey(ident);
    // Each part starts with a blank, so that " text" finds the text at the
    // start of any word; "/" cannot occur in a key, so no typed text
    // matches across two parts.
    std::string words = " " + searchKey(name) + " / " + searchKey(city) + " / " + identKey;
    m_rows.push_back({rank, std::move(words), id, identKey, searchKey(iata)});
}

void AirportSearchRows::write(SqliteDb& db)
{
    std::sort(m_rows.begin(), m_rows.end(), [](const Row& a, const Row& b) {
        return std::tie(a.rank, a.words, a.id) < std::tie(b.rank, b.words, b.id);
    });
    Statement insert(db, "INSERT INTO airport_search (Position, ID, Rank, Ident, IATA, Words) VALUES (?,?,?,?,?,?)");
    long long position = 1;
    for (const Row& row : m_rows) {
        insert.bind(1, position++).bind(2, row.id).bind(3, static_cast<long long>(row.rank)).bind(4, row.ident);
        if (row.iata.empty())
            insert.bind(5, std::optional<long long>());
        else
            insert.bind(5, row.iata);
        insert.bind(6, row.words);
        insert.run();
    }
    m_rows.clear();
}

int airportRank(std::string_view type)
{
    static constexpr std::array<std::string_view, 4> BY_RANK{
        {"LARGE_AIRPORT", "MEDIUM_AIRPORT", "SMALL_AIRPORT", "SEAPLANE_BASE"}};
    const auto it = std::find(BY_RANK.begin(), BY_RANK.end(), type);
    return static_cast<int>(it - BY_RANK.begin());
}

}  // namespace navdb
