#include "search/AirportSearch.h"

#include "base/AsciiText.h"

#include "data/DBException.h"
#include "data/Recordset.h"
#include "search/SearchKey.h"

#include <algorithm>
#include <unordered_map>

namespace airportsearch {

namespace {

// One row of airport_search that matched.
struct Hit {
    AirportMatch::Kind kind;
    long long position;
    std::string id;
    std::string iata;
};

Hit ReadHit(CRecordset& rs, AirportMatch::Kind kind)
{
    return {kind, std::stoll(rs.GetFieldValue("Position")), rs.GetFieldValue("ID"), rs.GetFieldValue("IATA")};
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
    if (key.empty() || key.size() > kLongestKey || limit == 0)
        return {};
    if (!available())
        throw CDBException("The navigation database has no airport search table; rebuild it with meridane-navdb "
                           "to find airports by code or name.");

    // The codes, and the first rows in Position order that hold the text,
    // each marked by whether a word begins with it. Word starts are among
    // those rows, so the window holds the best of them; only when it is
    // full and has too few of them must the whole table be read for more.
    const std::size_t window = 5 * limit;
    std::vector<Hit> codes, wordStarts, contains;
    std::size_t windowRows = 0;
    {
        CRecordset rs(m_database);
        OpenWith(rs,
                 "SELECT 0 AS Tier, Position, ID, IATA FROM airport_search WHERE Ident = ? OR IATA = ?"
                 " UNION ALL SELECT * FROM (SELECT CASE WHEN instr(Words, ?) > 0 THEN 1 ELSE 2 END, Position, ID,"
                 " IATA FROM airport_search WHERE Words GLOB ? ORDER BY Position LIMIT " +
                     std::to_string(window) + ")",
                 {key, key, " " + key, "*" + key + "*"});
        for (; !rs.IsEOF(); rs.MoveNext()) {
            const std::string tier = rs.GetFieldValue("Tier");
            if (tier == "0") {
                codes.push_back(ReadHit(rs, AirportMatch::Kind::Code));
                continue;
            }
            ++windowRows;
            if (tier == "1")
                wordStarts.push_back(ReadHit(rs, AirportMatch::Kind::WordStart));
            else
                contains.push_back(ReadHit(rs, AirportMatch::Kind::Contains));
        }
    }
    std::sort(codes.begin(), codes.end(), [](const Hit& a, const Hit& b) { return a.position < b.position; });
    if (windowRows == window && wordStarts.size() < limit + codes.size()) {
        CRecordset rs(m_database);
        OpenWith(rs,
                 "SELECT Position, ID, IATA FROM airport_search WHERE Words GLOB ? ORDER BY Position LIMIT " +
                     std::to_string(limit + codes.size()),
                 {"* " + key + "*"});
        wordStarts.clear();
        for (; !rs.IsEOF(); rs.MoveNext())
            wordStarts.push_back(ReadHit(rs, AirportMatch::Kind::WordStart));
    }

    // Each airport once, in its best place.
    std::vector<Hit> hits = codes;
    auto listed = [&hits](const Hit& hit) {
        return std::any_of(hits.begin(), hits.end(), [&hit](const Hit& h) { return h.id == hit.id; });
    };
    for (const std::vector<Hit>* group : {&wordStarts, &contains})
        for (const Hit& hit : *group)
            if (hits.size() < limit && !listed(hit))
                hits.push_back(hit);
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

}  // namespace airportsearch
