// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/StationReader.h"

#include "data/DBException.h"
#include "data/Recordset.h"

#include "coverage/StationRange.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <unordered_map>

namespace stations {

namespace {

const char* const SELECT_STATIONS =
    "SELECT navs.ID AS ID, nav_idents.Ident AS Ident, navs.Name AS Name, navs.Elevation AS Elevation,"
    " navs.Frequency AS Frequency, nav_facts.Latitude AS Latitude, nav_facts.Longitude AS Longitude,"
    " nav_facts.Declination AS Declination, nav_coverage.Class AS Class,"
    " nav_coverage.SimulatorRange AS SimulatorRange"
    " FROM navs JOIN nav_facts ON nav_facts.ID=navs.ID"
    " LEFT JOIN nav_idents ON nav_idents.ID=navs.ID"
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

// The database writes numbers in the C locale's form whatever the user's is.
std::optional<double> number(const std::string& text)
{
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool hasTable(CDatabase* database, const std::string& table)
{
    try {
        CRecordset rs(database);
        rs.SetParameters({table});
        return rs.Open(CRecordset::forwardOnly, "SELECT name FROM sqlite_master WHERE type='table' AND name=?",
                       CRecordset::none) &&
               !rs.IsEOF();
    } catch (const CDBException&) {
        return false;
    }
}

}  // namespace

StationReader::StationReader(CDatabase* database) : m_database(database) {}

std::vector<coverage::Station> StationReader::readAll()
{
    return read(" WHERE navs.type=? ORDER BY navs.ID", {"VOR"});
}

std::vector<coverage::Station> StationReader::readAllNdbs()
{
    return read(" ORDER BY navs.ID", {}, coverage::StationKind::Ndb);
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
    for (coverage::Station& station : read(where, std::move(parameters)))
        byId.emplace(station.id, std::move(station));
    std::vector<coverage::Station> ordered;
    for (std::int64_t id : ids) {
        const auto it = byId.find(id);
        if (it != byId.end())
            ordered.push_back(it->second);
    }
    return ordered;
}

std::vector<coverage::Station> StationReader::read(const std::string& where, std::vector<std::string> parameters,
                                                   coverage::StationKind kind)
{
    const bool ndb = kind == coverage::StationKind::Ndb;
    std::vector<coverage::Station> result;
    CRecordset rs(m_database);
    try {
        rs.SetParameters(std::move(parameters));
        if (!rs.Open(CRecordset::forwardOnly, (ndb ? SELECT_NDBS : SELECT_STATIONS) + where, CRecordset::none))
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
            station.ident = rs.GetFieldValue("Ident");
            station.name = rs.GetFieldValue("Name");
            station.latitude = *lat;
            station.longitude = *lon;
            station.elevationFt = number(rs.GetFieldValue("Elevation"));
            station.declination = number(rs.GetFieldValue("Declination"));
            // The database writes -1.0 for a frequency that does not exist.
            std::string frequency = rs.GetFieldValue("Frequency");
            if (!frequency.empty() && frequency != "-1.0")
                station.frequency = std::move(frequency);
            const std::string serviceClass = rs.GetFieldValue("Class");
            if (ndb)
                station.ndbClass = coverage::parseNdbClass(serviceClass).value_or(coverage::NdbClass::MH);
            else
                station.serviceClass = serviceClass == "T" || serviceClass == "H" ? serviceClass[0] : 'L';
            const std::optional<double> simulator = number(rs.GetFieldValue("SimulatorRange"));
            if (simulator && *simulator > 0.0)
                station.simulatorRangeNm = simulator;
            result.push_back(std::move(station));
        }
    } catch (const CDBException& e) {
        if (ndb && !hasTable(m_database, "ndb_coverage"))
            throw CDBException("The navigation database has no NDB classes (table ndb_coverage): import it "
                               "again with the current meridane-navdb to plan with NDBs.");
        if (!ndb && !hasTable(m_database, "nav_coverage"))
            throw CDBException("The navigation database has no station classes (table nav_coverage): import it "
                               "again with the current meridane-navdb to plan by VOR coverage.");
        throw;
    }
    return result;
}

}  // namespace stations
