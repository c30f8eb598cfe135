// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class CDatabase;

namespace search {

// An airport that typed text found, with the texts its airports row holds,
// as the selection cascade needs them to reach it.
struct AirportMatch {
    // Why it matched, best first: the text is the airport's ICAO ident or
    // IATA code; its city begins with the text; the typed words begin
    // words of its name (or of its city, or its ident begins so), in the
    // order typed; its name, city or ident holds the text inside a word.
    enum class Kind { Code, CityStart, WordStart, Contains };

    Kind kind = Kind::Contains;
    std::string id;
    std::string ident;
    std::string iata;  // "" when the airport has none
    std::string name;
    std::string region;
    std::string country;
    std::string state;
    std::string city;
};

// Finds airports by code, name or city in the airport_search table that
// meridane-navdb builds, comparing in the search key form (SearchKey.h), so
// letter case, accents and punctuation do not matter. The typed text only
// ever reaches the database as a bound parameter.
class AirportSearch {
public:
    static constexpr std::size_t DEFAULT_LIMIT = 50;
    // The longest search key looked for. No airport's words come near half
    // of it, so a longer text matches nothing, and SQLite refuses patterns
    // far longer ("LIKE or GLOB pattern too complex").
    static constexpr std::size_t LONGEST_KEY = 256;

    // The connection is borrowed and must outlive the search.
    explicit AirportSearch(CDatabase* database);

    // Whether the database has the search table (one built before the
    // search existed has not); asks the database once.
    bool available();

    // At most `limit` airports, best first: exact codes; then airports whose
    // city begins with the text or whose name's words begin with the typed
    // words, the larger kind of airport first and at equal size the city
    // starts first; then matches inside words; among equals by name. No match
    // (and nothing to search for, or a key longer than LONGEST_KEY) gives an
    // empty list; a
    // database without the search table or a failing query throws
    // CDBException.
    std::vector<AirportMatch> find(const std::string& typed, std::size_t limit = DEFAULT_LIMIT);

private:
    CDatabase* m_database;
    int m_available = -1;  // unknown until asked
};

}  // namespace search
