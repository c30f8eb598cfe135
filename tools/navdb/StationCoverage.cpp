// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/StationCoverage.h"

#include "base/AsciiText.h"

#include "tools/navdb/LineReader.h"
#include "tools/navdb/Numbers.h"
#include "tools/navdb/SourceRows.h"

#include "base/NumberText.h"
#include "coverage/Geodesy.h"
#include "coverage/StationRange.h"

#include <cctype>
#include <cmath>

namespace navdb {

namespace {

constexpr double SAME_STATION_NM = 5.0;

}  // namespace

char serviceClassOf(std::string_view power)
{
    const std::string upper = upperTrimmed(power);
    if (upper == "HIGH")
        return 'H';
    if (upper == "LOW")
        return 'T';
    return 'L';
}

void SimulatorRanges::add(std::string_view ident, double latitude, double longitude, double rangeNm)
{
    m_byIdent[std::string(ident)].push_back(Entry{latitude, longitude, rangeNm});
    ++m_count;
}

std::optional<double> SimulatorRanges::find(std::string_view ident, double latitude, double longitude) const
{
    const auto it = m_byIdent.find(std::string(trimBlanks(ident)));
    if (it == m_byIdent.end())
        return std::nullopt;
    std::optional<double> range;
    double nearest = SAME_STATION_NM;
    for (const Entry& entry : it->second) {
        const double d = coverage::geodesicNm(latitude, longitude, entry.latitude, entry.longitude);
        if (d <= nearest) {
            nearest = d;
            range = entry.rangeNm;
        }
    }
    return range;
}

namespace {

// The rows of one code of an X-Plane nav.dat, which VORs (3) and NDBs (2)
// lay out alike as far as the ident.
SimulatorRanges readXplaneRanges(const std::string& path, std::string_view code, const std::string& what,
                                 SkippedRows& skipped)
{
    LineReader reader(path);
    SimulatorRanges ranges;
    std::string line;
    for (int header = 0; header < 2 && reader.next(line); ++header) {
    }
    while (reader.next(line)) {
        const auto fields = base::splitWhitespace(line, 8);
        if (fields.empty())
            continue;
        if (fields[0] == "99")
            break;
        if (fields[0] != code)
            continue;
        if (fields.size() < 8) {
            skipped.add(reader.lineNumber(), what + " row has " + std::to_string(fields.size()) +
                                                 " fields, expected at least 8");
            continue;
        }
        const auto latitude = parseNumber(fields[1]);
        const auto longitude = parseNumber(fields[2]);
        const auto range = parseNumber(fields[5]);
        if (!latitude || !longitude || std::abs(*latitude) > 90.0 || std::abs(*longitude) > 180.0) {
            skipped.add(reader.lineNumber(), "bad " + what + " position '" + std::string(fields[1]) + " " +
                                                 std::string(fields[2]) + "'");
            continue;
        }
        if (!range || *range <= 0.0) {
            skipped.add(reader.lineNumber(), "bad " + what + " range '" + std::string(fields[5]) + "'");
            continue;
        }
        if (*range > coverage::LONGEST_STATION_RANGE_NM) {
            skipped.add(reader.lineNumber(), what + " range '" + std::string(fields[5]) + "' is beyond any station's " +
                                                 base::formatFixed(coverage::LONGEST_STATION_RANGE_NM, 0) + " nm");
            continue;
        }
        ranges.add(fields[7], *latitude, *longitude, *range);
    }
    return ranges;
}

}  // namespace

SimulatorRanges readXplaneVorRanges(const std::string& path, SkippedRows& skipped)
{
    return readXplaneRanges(path, "3", "VOR", skipped);
}

SimulatorRanges readXplaneNdbRanges(const std::string& path, SkippedRows& skipped)
{
    return readXplaneRanges(path, "2", "NDB", skipped);
}

coverage::NdbClass ndbClassOf(std::string_view power, std::string_view usageType)
{
    const std::string upper = upperTrimmed(power);
    if (upper == "HIGH")
        return coverage::NdbClass::HH;
    if (upper == "MEDIUM")
        return coverage::NdbClass::H;
    if (upper == "LOW" && upperTrimmed(usageType) == "TERMINAL")
        return coverage::NdbClass::Locator;
    return coverage::NdbClass::MH;
}

NdbCoverageRows::NdbCoverageRows(SqliteDb& db)
    : m_insert(db, "INSERT INTO ndb_coverage (ID, Class, SimulatorRange) VALUES (?,?,?)")
{
}

void NdbCoverageRows::add(long long id, std::string_view power, std::string_view usageType,
                          std::optional<double> simulatorRangeNm)
{
    m_insert.bind(1, id)
        .bind(2, std::string_view(coverage::ndbClassName(ndbClassOf(power, usageType))))
        .bind(3, simulatorRangeNm);
    m_insert.run();
}

StationCoverageRows::StationCoverageRows(SqliteDb& db)
    : m_insert(db, "INSERT INTO nav_coverage (ID, Class, SimulatorRange) VALUES (?,?,?)")
{
}

void StationCoverageRows::add(long long id, std::string_view power, std::optional<double> simulatorRangeNm)
{
    const char serviceClass[2] = {serviceClassOf(power), '\0'};
    m_insert.bind(1, id).bind(2, std::string_view(serviceClass)).bind(3, simulatorRangeNm);
    m_insert.run();
}

}  // namespace navdb
