// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/FactTables.h"

#include "tools/navdb/Numbers.h"

namespace navdb {

namespace {

void bindCode(Statement& insert, int index, std::string_view code)
{
    const std::string_view trimmed = trimBlanks(code);
    if (trimmed.empty())
        insert.bind(index, std::optional<long long>());
    else
        insert.bind(index, trimmed);
}

}  // namespace

FactTables::FactTables(SqliteDb& db)
    : m_airport(db, "INSERT INTO airport_facts (ID, Latitude, Longitude, IATA, CountryCode) VALUES (?,?,?,?,?)"),
      m_nav(db, "INSERT INTO nav_facts (ID, Latitude, Longitude, CountryCode, Declination) VALUES (?,?,?,?,?)"),
      m_navIdent(db, "INSERT INTO nav_idents (ID, Ident, Kind) VALUES (?,?,?)")
{
}

void FactTables::addAirport(long long id, double latitude, double longitude, std::string_view iata,
                            std::string_view countryCode)
{
    m_airport.bind(1, id).bind(2, latitude).bind(3, longitude);
    bindCode(m_airport, 4, iata);
    bindCode(m_airport, 5, countryCode);
    m_airport.run();
}

void FactTables::addNav(long long id, std::string_view ident, std::string_view kind, double latitude,
                        double longitude, std::string_view countryCode, std::optional<double> declination)
{
    m_nav.bind(1, id).bind(2, latitude).bind(3, longitude);
    bindCode(m_nav, 4, countryCode);
    m_nav.bind(5, declination);
    m_nav.run();
    m_navIdent.bind(1, id).bind(2, ident).bind(3, kind);
    m_navIdent.run();
}

std::optional<double> stationDeclination(std::string_view slaved, std::string_view surveyed)
{
    for (std::string_view text : {slaved, surveyed}) {
        if (!trimBlanks(text).empty()) {
            if (auto value = parseNumber(text))
                return value;
        }
    }
    return std::nullopt;
}

}  // namespace navdb
