// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/StationReader.h"

#include "base/NumberText.h"
#include "data/DBException.h"
#include "data/DatabaseTables.h"
#include "data/Recordset.h"

#include "coverage/StationRange.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <unordered_map>

namespace search {

namespace {

const char* const SELECT_STATIONS =
    "SELECT navs.ID AS ID, nav_idents.Ident AS Ident, navs.Name AS Name, navs.Elevation AS Elevation,"
    " navs.Frequency AS Frequency, nav_facts.Latitude AS Latitude, nav_facts.Longitude AS Longitude,"
    " nav_facts.Declination AS Declination, nav_coverage.Class AS Class,"
    " nav_coverage.SimulatorRange AS SimulatorRange"
    " FROM navs JOIN nav_facts ON nav_facts.ID=navs.ID"
    " LEFT JOIN nav_idents ON nav_idents.ID=navs.ID"
    " LEFT JOIN nav_coverage ON nav_coverage.ID=navs.ID";

// What the search needs of every station, and no more: the driver turns
// every value of every row into text, and the names and frequencies of
// thousands of stations cost as much as their places.
const char* const SELECT_SEARCH_FACTS =
    "SELECT navs.ID AS ID, navs.Elevation AS Elevation, nav_facts.Latitude AS Latitude,"
    " nav_facts.Longitude AS Longitude, nav_coverage.Class AS Class,"
    " nav_coverage.SimulatorRange AS SimulatorRange"
    " FROM navs JOIN nav_facts ON nav_facts.ID=navs.ID"
    " LEFT JOIN nav_coverage ON nav_coverage.ID=navs.ID";

// NDBs are the navs rows with a class in ndb_coverage, which the importer
// writes for every NDB and NDB-DME.
const char* const SELECT_NDBS =
    "SELECT navs.ID AS ID, nav_idents.Ident AS Ident, navs.Name AS Name, navs.Elevation AS Elevation,"
    " navs.Frequency AS Frequency, nav_facts.Latitude AS Latitude, nav_facts.Longitude AS Longitude,"
    " nav_facts.Declination AS Declination, ndb_coverage.Class AS Class,"
    " ndb_coverage.SimulatorRange AS SimulatorRange"
    " FROM navs JOIN nav_facts ON nav_facts.ID=navs.ID"
    " JOIN ndb_coverage ON ndb_coverage.ID=navs.ID"
    " LEFT JOIN nav_idents ON nav_idents.ID=navs.ID";

const char* const SELECT_NDB_SEARCH_FACTS =
    "SELECT navs.ID AS ID, navs.Elevation AS Elevation, nav_facts.Latitude AS Latitude,"
    " nav_facts.Longitude AS Longitude, ndb_coverage.Class AS Class,"
    " ndb_coverage.SimulatorRange AS SimulatorRange"
    " FROM navs JOIN nav_facts ON nav_facts.ID=navs.ID"
    " JOIN ndb_coverage ON ndb_coverage.ID=navs.ID";

bool hasNdbTable(CDatabase* database)
{
    try {
        return HasTable(*database, "ndb_coverage");
    } catch (const CDBException&) {
        return false;
    }
}

// The database writes numbers in the C locale's form whatever the user's is.
std::optional<double> number(const std::string& text)
{
    return base::parseDecimal(text);
}

bool hasCoverageTable(CDatabase* database)
{
    try {
        return HasTable(*database, "nav_coverage");
    } catch (const CDBException&) {
        return false;
    }
}

}  // namespace

StationReader::StationReader(CDatabase* database) : m_database(database) {}

bool StationReader::hasSimulatorRanges()
{
    try {
        CRecordset rs(m_database);
        return rs.Open(CRecordset::forwardOnly,
                       "SELECT ID FROM nav_coverage WHERE SimulatorRange IS NOT NULL LIMIT 1", CRecordset::none) &&
               !rs.IsEOF();
    } catch (const CDBException&) {
        return false;  // no nav_coverage at all
    }
}

std::vector<coverage::Station> StationReader::readAll()
{
    return read(SELECT_STATIONS, " WHERE navs.type=? ORDER BY navs.ID", {"VOR"});
}

std::vector<coverage::Station> StationReader::readSearchFacts()
{
    return read(SELECT_SEARCH_FACTS, " WHERE navs.type=? ORDER BY navs.ID", {"VOR"});
}

std::vector<coverage::Station> StationReader::readNdbSearchFacts()
{
    return read(SELECT_NDB_SEARCH_FACTS, " ORDER BY navs.ID", {}, coverage::StationKind::Ndb);
}

std::vector<coverage::Station> StationReader::readByIds(const std::vector<std::int64_t>& ids)
{
    if (ids.empty())
        return {};
    std::string where = " WHERE navs.type=? AND navs.ID IN (";
    std::vector<std::string> parameters{"VOR"};
    for (std::int64_t id : ids) {
        where += parameters.size() == 1 ? "?" : ",?";
        parameters.push_back(std::to_string(id));
    }
    where += ")";
    std::unordered_map<std::int64_t, coverage::Station> byId;
    for (coverage::Station& station : read(SELECT_STATIONS, where, parameters))
        byId.emplace(station.id, std::move(station));
    // NDBs where some ID is no VOR, in a database that has them.
    if (byId.size() < ids.size() && hasNdbTable(m_database)) {
        std::string ndbWhere = " WHERE navs.ID IN (";
        for (std::size_t i = 1; i < parameters.size(); ++i)
            ndbWhere += i == 1 ? "?" : ",?";
        ndbWhere += ")";
        parameters.erase(parameters.begin());
        for (coverage::Station& station : read(SELECT_NDBS, ndbWhere, std::move(parameters), coverage::StationKind::Ndb))
            byId.emplace(station.id, std::move(station));
    }
    std::vector<coverage::Station> ordered;
    for (std::int64_t id : ids) {
        const auto it = byId.find(id);
        if (it != byId.end())
            ordered.push_back(it->second);
    }
    return ordered;
}

std::vector<coverage::Station> StationReader::read(const char* select, const std::string& where,
                                                   std::vector<std::string> parameters, coverage::StationKind kind)
{
    const bool ndb = kind == coverage::StationKind::Ndb;
    const bool details = select == SELECT_STATIONS || select == SELECT_NDBS;
    std::vector<coverage::Station> result;
    CRecordset rs(m_database);
    try {
        rs.SetParameters(std::move(parameters));
        if (!rs.Open(CRecordset::forwardOnly, select + where, CRecordset::none))
            throw CDBException("The navigation database is not open.");
        for (; !rs.IsEOF(); rs.MoveNext()) {
            const std::optional<double> lat = number(rs.GetFieldValue("Latitude"));
            const std::optional<double> lon = number(rs.GetFieldValue("Longitude"));
            const std::optional<double> id = number(rs.GetFieldValue("ID"));
            if (!lat || !lon || !id || std::fabs(*lat) > 90.0 || std::fabs(*lon) > 180.0)
                continue;
            coverage::Station station;
            station.id = static_cast<std::int64_t>(*id);
            station.kind = kind;
            station.latitude = *lat;
            station.longitude = *lon;
            station.elevationFt = number(rs.GetFieldValue("Elevation"));
            if (details) {
                station.ident = rs.GetFieldValue("Ident");
                station.name = rs.GetFieldValue("Name");
                station.declination = number(rs.GetFieldValue("Declination"));
                // The database writes -1.0 for a frequency that does not exist.
                std::string frequency = rs.GetFieldValue("Frequency");
                if (!frequency.empty() && frequency != "-1.0")
                    station.frequency = std::move(frequency);
            }
            const std::string serviceClass = rs.GetFieldValue("Class");
            if (ndb)
                station.ndbClass = coverage::parseNdbClass(serviceClass).value_or(coverage::NdbClass::MH);
            else
                station.serviceClass = serviceClass == "T" || serviceClass == "H" ? serviceClass[0] : 'L';
            const std::optional<double> simulator = number(rs.GetFieldValue("SimulatorRange"));
            // A damaged figure must not reach the whole world.
            if (simulator && *simulator > 0.0)
                station.simulatorRangeNm = std::min(*simulator, coverage::LONGEST_STATION_RANGE_NM);
            result.push_back(std::move(station));
        }
    } catch (const CDBException& e) {
        if (ndb && !hasNdbTable(m_database))
            throw CDBException("The navigation database has no NDB classes (table ndb_coverage): import it "
                               "again with the current meridane-navdb to plan with NDBs.");
        if (!ndb && !hasCoverageTable(m_database))
            throw CDBException("The navigation database has no station classes (table nav_coverage): import it "
                               "again with the current meridane-navdb to plan by VOR coverage.");
        throw;
    }
    return result;
}

}  // namespace search
