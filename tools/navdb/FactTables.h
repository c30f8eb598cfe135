// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/navdb/SqliteDb.h"

#include <optional>
#include <string_view>

namespace navdb {

// Writes the precise facts of airports and beacons, and the identifiers of
// beacons, into their side tables, under the same ID as the row the route
// search reads.
class FactTables {
public:
    explicit FactTables(SqliteDb& db);

    // Texts are the source's fields; an empty code is stored as NULL.
    void addAirport(long long id, double latitude, double longitude, std::string_view iata,
                    std::string_view countryCode);
    void addNav(long long id, std::string_view ident, std::string_view kind, double latitude, double longitude,
                std::string_view countryCode, std::optional<double> declination);

private:
    Statement m_airport;
    Statement m_nav;
    Statement m_navIdent;
};

// The declination a beacon's radials are measured with: the station's
// published one, else the variation surveyed there; nullopt when neither
// field holds a number.
std::optional<double> stationDeclination(std::string_view slaved, std::string_view surveyed);

}  // namespace navdb
