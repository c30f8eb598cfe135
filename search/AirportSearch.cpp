// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/AirportSearch.h"

#include "base/AsciiText.h"

#include "data/DBException.h"
#include "data/Recordset.h"
#include "search/SearchKey.h"

#include <algorithm>
#include <optional>
#include <tuple>
#include <unordered_map>

namespace search {

namespace {

// One row of airport_search that matched.
struct Hit {
    AirportMatch::Kind kind;
    long long rank;  // 0 for the largest kind of airport
    long long position;
    std::string id;
    std::string iata;
};

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> pieces;
    std::string piece;
    for (const char c : text + separator) {
        if (c != separator) {
            piece += c;
        } else if (!piece.empty()) {
            pieces.push_back(piece);
            piece.clear();
        }
    }
    return pieces;
}

// Whether each typed word begins a word of the text, in the order typed.
bool WordsBeginInOrder(const std::string& text, const std::vector<std::string>& typedWords)
{
    std::size_t next = 0;
    for (const std::string& word : Split(text, ' '))
        if (next < typedWords.size() && word.compare(0, typedWords[next].size(), typedWords[next]) == 0)
            ++next;
    return next == typedWords.size();
}

// How a row of airport_search matches the key, if at all; its Words hold
// " name / city / ident" (see the importer's AirportSearchRows).
std::optional<AirportMatch::Kind> Classify(const std::string& words, const std::string& key,
                                           const std::vector<std::string>& keyWords)
{
    std::vector<std::string> parts;
    for (const std::string& part : Split(words, '/')) {
        const auto first = part.find_first_not_of(' ');
        const auto last = part.find_last_not_of(' ');
        parts.push_back(first == std::string::npos ? std::string() : part.substr(first, last - first + 1));
    }
    if (parts.size() > 1 && parts[1].compare(0, key.size(), key) == 0)
        return AirportMatch::Kind::CityStart;
    for (const std::string& part : parts)
        if (WordsBeginInOrder(part, keyWords))
            return AirportMatch::Kind::WordStart;
    if (words.find(key) != std::string::npos)
        return AirportMatch::Kind::Contains;
    return std::nullopt;
}

void OpenWith(CRecordset& rs, const std::string& sql, std::vector<std::string> parameters)
{
    rs.SetParameters(std::move(parameters));
    if (!rs.Open(CRecordset::forwardOnly, sql, CRecordset::none))
        throw CDBException("The navigation database is not open.");
}

}  // namespace

AirportSearch::AirportSearch(CDatabase* database) : m_database(database) {}

bool AirportSearch::available()
{
    if (m_available < 0) {
        try {
            CRecordset rs(m_database);
            m_available = rs.Open(CRecordset::forwardOnly,
                                  "SELECT Position, ID, Rank, Ident, IATA, Words FROM airport_search WHERE 0",
                                  CRecordset::none)
                              ? 1
                              : 0;
        } catch (const CDBException&) {
            m_available = 0;
        }
    }
    return m_available == 1;
}

std::vector<AirportMatch> AirportSearch::find(const std::string& typed, std::size_t limit)
{
    const std::string key = searchKey(typed);
    if (key.empty() || key.size() > LONGEST_KEY || limit == 0)
        return {};
    if (!available())
        throw CDBException("The navigation database has no airport search table; rebuild it with meridane-navdb "
                           "to find airports by code or name.");

    // The codes, and the first rows in Position order that hold the typed
    // words in order, each then ranked by how it matches. City and word
    // starts are among those rows, so the window holds the best of them;
    // only when it is full and has too few of them must the whole table be
    // read for more.
    const std::vector<std::string> keyWords = Split(key, ' ');
    std::string inOrder = "*", wordStarts = "*";
    for (const std::string& word : keyWords) {
        inOrder += word + "*";
        wordStarts += " " + word + "*";
    }
    const std::size_t window = 5 * limit;
    std::unordered_map<std::string, Hit> best;
    std::size_t codes = 0;
    auto add = [&](CRecordset& rs, std::optional<AirportMatch::Kind> kind) {
        if (!kind)
            return;
        Hit hit{*kind, std::stoll(rs.GetFieldValue("Rank")), std::stoll(rs.GetFieldValue("Position")),
                rs.GetFieldValue("ID"), rs.GetFieldValue("IATA")};
        auto [it, added] = best.emplace(hit.id, hit);
        if (!added && std::tie(hit.kind, hit.position) < std::tie(it->second.kind, it->second.position))
            it->second = hit;
    };
    std::size_t windowRows = 0;
    {
        CRecordset rs(m_database);
        OpenWith(rs,
                 "SELECT 0 AS Tier, Position, Rank, ID, IATA, Words FROM airport_search WHERE Ident = ? OR IATA = ?"
                 " UNION ALL SELECT * FROM (SELECT 1, Position, Rank, ID, IATA, Words FROM airport_search"
                 " WHERE Words GLOB ? ORDER BY Position LIMIT " +
                     std::to_string(window) + ")",
                 {key, key, inOrder});
        for (; !rs.IsEOF(); rs.MoveNext()) {
            if (rs.GetFieldValue("Tier") == "0") {
                ++codes;
                add(rs, AirportMatch::Kind::Code);
                continue;
            }
            ++windowRows;
            add(rs, Classify(rs.GetFieldValue("Words"), key, keyWords));
        }
    }
    const auto starts = std::count_if(best.begin(), best.end(), [](const auto& entry) {
        return entry.second.kind <= AirportMatch::Kind::WordStart;
    });
    if (windowRows == window && static_cast<std::size_t>(starts) < limit + codes) {
        // One more pass over the table; city starts sorted ahead, so that
        // the many word starts of large airports cannot crowd out a small
        // town's.
        CRecordset rs(m_database);
        OpenWith(rs,
                 "SELECT Position, Rank, ID, IATA, Words FROM airport_search WHERE Words GLOB ? OR Words GLOB ?"
                 " ORDER BY Words GLOB ? DESC, Position LIMIT " +
                     std::to_string(2 * (limit + codes)),
                 {"*/ " + key + "*/*", wordStarts, "*/ " + key + "*/*"});
        for (; !rs.IsEOF(); rs.MoveNext())
            add(rs, Classify(rs.GetFieldValue("Words"), key, keyWords));
    }

    // Each airport once, in its best place.
    std::vector<Hit> hits;
    for (auto& entry : best)
        hits.push_back(std::move(entry.second));
    // City and name starts share one tier, the larger airport first: "kennedy"
    // means the New York airport before the airstrip of a town so named; at
    // equal size the city comes first ("san fr": San Francisco's airport).
    const auto tier = [](const Hit& hit) {
        return hit.kind == AirportMatch::Kind::CityStart ? AirportMatch::Kind::WordStart : hit.kind;
    };
    std::sort(hits.begin(), hits.end(), [&tier](const Hit& a, const Hit& b) {
        const auto aTier = tier(a), bTier = tier(b);
        const long long aRank = aTier == AirportMatch::Kind::WordStart ? a.rank : 0;
        const long long bRank = bTier == AirportMatch::Kind::WordStart ? b.rank : 0;
        return std::tie(aTier, aRank, a.kind, a.position) < std::tie(bTier, bRank, b.kind, b.position);
    });
    if (hits.size() > limit)
        hits.resize(limit);
    if (hits.empty())
        return {};

    std::string sql = "SELECT ID, Ident, Name, region, country, state, city FROM airports WHERE ID IN (";
    std::vector<std::string> ids;
    for (const Hit& hit : hits) {
        sql += ids.empty() ? "?" : ",?";
        ids.push_back(hit.id);
    }
    sql += ")";
    std::unordered_map<std::string, AirportMatch> airports;
    CRecordset rs(m_database);
    OpenWith(rs, sql, ids);
    for (; !rs.IsEOF(); rs.MoveNext()) {
        AirportMatch match;
        match.id = rs.GetFieldValue("ID");
        match.ident = rs.GetFieldValue("Ident");
        match.name = rs.GetFieldValue("Name");
        match.region = rs.GetFieldValue("region");
        match.country = rs.GetFieldValue("country");
        match.state = rs.GetFieldValue("state");
        match.city = rs.GetFieldValue("city");
        airports.emplace(match.id, std::move(match));
    }

    // A search row without its airport (a damaged database) is left out.
    std::vector<AirportMatch> matches;
    for (const Hit& hit : hits) {
        auto it = airports.find(hit.id);
        if (it == airports.end())
            continue;
        AirportMatch match = it->second;
        match.kind = hit.kind;
        match.iata = base::asciiUpper(hit.iata);
        matches.push_back(std::move(match));
    }
    return matches;
}

}  // namespace search
