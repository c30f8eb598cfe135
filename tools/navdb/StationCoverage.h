// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/navdb/SkippedRows.h"
#include "tools/navdb/SqliteDb.h"

#include "coverage/Station.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace navdb {

// The service class a navaids.csv power field stands for: HIGH → H,
// MEDIUM → L, LOW → T; empty or anything else → L, the class that most
// stations of unknown power turn out to have.
char serviceClassOf(std::string_view power);

// The ranges X-Plane gives its VORs, by ident.
class SimulatorRanges {
public:
    void add(std::string_view ident, double latitude, double longitude, double rangeNm);

    // The range of the station with this ident nearest the position, if one
    // lies within 5 nm of it; idents repeat around the world, and a station
    // moved further than that is no longer the same one.
    std::optional<double> find(std::string_view ident, double latitude, double longitude) const;

    std::size_t size() const { return m_count; }

private:
    struct Entry {
        double latitude, longitude, rangeNm;
    };
    std::unordered_map<std::string, std::vector<Entry>> m_byIdent;
    std::size_t m_count = 0;
};

// The VOR rows (code 3) of an X-Plane nav.dat: latitude, longitude,
// elevation, frequency, range in nm, declination, ident, name. The header
// must already have been checked (readXplaneIls does); rows that cannot be
// read, and ranges not above 0 or beyond coverage::LONGEST_STATION_RANGE_NM,
// are added to skipped.
SimulatorRanges readXplaneVorRanges(const std::string& path, SkippedRows& skipped);

// The NDB rows (code 2), laid out as the VOR rows are.
SimulatorRanges readXplaneNdbRanges(const std::string& path, SkippedRows& skipped);

// An NDB's class from the navaids.csv power and usageType fields: HIGH →
// HH, MEDIUM → H, LOW → MH, but a LOW station that serves a terminal is a
// compass locator; empty or anything else → MH, the commonest class.
coverage::NdbClass ndbClassOf(std::string_view power, std::string_view usageType);

// Writes nav_coverage: a VOR-family station's service class and its
// simulator range, under the station's ID.
class StationCoverageRows {
public:
    explicit StationCoverageRows(SqliteDb& db);
    void add(long long id, std::string_view power, std::optional<double> simulatorRangeNm);

private:
    Statement m_insert;
};

// Writes ndb_coverage: an NDB's class and its simulator range, under the
// station's ID.
class NdbCoverageRows {
public:
    explicit NdbCoverageRows(SqliteDb& db);
    void add(long long id, std::string_view power, std::string_view usageType,
             std::optional<double> simulatorRangeNm);

private:
    Statement m_insert;
};

}  // namespace navdb
