// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/WaypointRows.h"

#include "base/NumberText.h"
#include "flightplan/PlanError.h"

#include "data/DBException.h"
#include "data/DatabaseTables.h"
#include "data/Recordset.h"

#include <cmath>

namespace search {

using flightplan::PlanError;
using flightplan::Waypoint;
using flightplan::WaypointKind;

namespace {

struct Source {
    const char* table;       // airports or navs
    const char* factsTable;  // airport_facts or nav_facts
    const char* identTable;  // airports, or nav_idents beside navs
    const char* noun;        // for messages
    WaypointKind kind;
};

const Source AIRPORT{"airports", "airport_facts", "airports", "airport", WaypointKind::Airport};

bool hasTable(CDatabase& database, const char* table)
{
    try {
        return HasTable(database, table);
    } catch (const CDBException& e) {
        throw PlanError(std::string("The navigation database cannot tell whether it has ") + table + ": " +
                        e.what());
    }
}

// Beacons' idents stand in nav_idents; a database imported before they
// moved out of navs keeps them there.
Source beaconSource(CDatabase& database)
{
    Source beacon{"navs", "nav_facts", "nav_idents", "beacon", WaypointKind::Vor};
    if (!hasTable(database, "nav_idents"))
        beacon.identTable = "navs";
    return beacon;
}

std::string describe(const Source& source, std::int64_t id, const std::string& ident = {})
{
    std::string text = std::string("the ") + source.noun + " with ID " + std::to_string(id);
    if (!ident.empty())
        text = std::string("the ") + source.noun + " " + ident + " (ID " + std::to_string(id) + ")";
    return text;
}

// The table names come from the Source constants above, never from input;
// the ID is bound.
std::string queryText(const Source& source)
{
    const std::string t = source.table, f = source.factsTable, i = source.identTable;
    std::string sql = "SELECT " + i + ".Ident AS Ident, " + t + ".Name AS Name, " + t + ".Elevation AS Elevation, " +
                      t + ".Frequency AS Frequency, " + f + ".ID AS FactsID, " + f + ".Latitude AS Latitude, " + f +
                      ".Longitude AS Longitude";
    if (source.kind == WaypointKind::Vor)
        sql += ", " + f + ".Declination AS Declination";
    sql += " FROM " + t + " LEFT JOIN " + f + " ON " + f + ".ID=" + t + ".ID";
    if (i != t)
        sql += " LEFT JOIN " + i + " ON " + i + ".ID=" + t + ".ID";
    sql += " WHERE " + t + ".ID=?";
    return sql;
}

// A figure of a row: nullopt for an empty (NULL) field that may be missing;
// PlanError naming the row, the column and the text for one that must be
// there, or for text that is no number within +-limit.
std::optional<double> readFigure(const std::string& text, double limit, bool required, const char* column,
                                 const std::string& whose, const char* table)
{
    if (text.empty() && !required)
        return std::nullopt;
    std::optional<double> value = base::parseDecimal(text);
    if (!value || std::fabs(*value) > limit)
        throw PlanError(std::string("The ") + column + " of " + whose + " in " + table + " is damaged: \"" + text +
                        "\".");
    return value;
}

Waypoint readWaypoint(CDatabase& database, const Source& source, std::int64_t id)
{
    CRecordset rs(&database);
    try {
        rs.SetParameters({std::to_string(id)});
        if (!rs.Open(CRecordset::forwardOnly, queryText(source), CRecordset::none))
            throw PlanError("The navigation database is closed and cannot be opened again to read " +
                            describe(source, id) + ".");
        if (rs.IsEOF())
            throw PlanError("The navigation database has no " + std::string(source.noun) + " with ID " +
                            std::to_string(id) + ".");

        Waypoint point;
        point.kind = source.kind;
        point.ident = rs.GetFieldValue("Ident");
        point.name = rs.GetFieldValue("Name");
        const std::string whose = describe(source, id, point.ident);
        if (rs.GetFieldValue("FactsID").empty())
            throw PlanError("The navigation database has no position for " + whose + ": " + source.factsTable +
                            " lacks its row. Import the database again with the current importer.");
        point.latitude = *readFigure(rs.GetFieldValue("Latitude"), 90.0, true, "Latitude", whose, source.factsTable);
        point.longitude =
            *readFigure(rs.GetFieldValue("Longitude"), 180.0, true, "Longitude", whose, source.factsTable);
        point.elevationFt = readFigure(rs.GetFieldValue("Elevation"), 100000.0, false, "Elevation", whose, source.table);
        if (source.kind == WaypointKind::Vor)
            point.declination =
                readFigure(rs.GetFieldValue("Declination"), 180.0, false, "Declination", whose, source.factsTable);
        // The database writes -1.0 for a frequency that does not exist.
        std::string frequency = rs.GetFieldValue("Frequency");
        if (!frequency.empty() && frequency != "-1.0")
            point.frequency = frequency;
        rs.Close();
        return point;
    } catch (const CDBException& e) {
        throw PlanError("The navigation database cannot give " + describe(source, id) + ": " + e.what());
    }
}

}  // namespace

std::vector<Waypoint> readRouteWaypoints(CDatabase& database, const flightplan::RouteIds& route)
{
    std::vector<Waypoint> points;
    points.push_back(readWaypoint(database, AIRPORT, route.departure));
    if (!route.beacons.empty()) {
        const Source beaconTable = beaconSource(database);
        for (std::int64_t beacon : route.beacons)
            points.push_back(readWaypoint(database, beaconTable, beacon));
    }
    points.push_back(readWaypoint(database, AIRPORT, route.destination));
    return points;
}

Waypoint readAirportWaypoint(CDatabase& database, std::int64_t airportId)
{
    return readWaypoint(database, AIRPORT, airportId);
}

namespace {

// Every beacon of one kind with its position, for the map; a damaged row
// costs one symbol on the map, not the map.
std::vector<Waypoint> readAllBeacons(CDatabase& database, WaypointKind kind, std::size_t* damaged)
{
    if (damaged)
        *damaged = 0;
    std::vector<Waypoint> beacons;
    const bool ndb = kind == WaypointKind::Ndb;
    if (ndb && !hasTable(database, "ndb_coverage"))
        return beacons;  // imported before NDBs were kept
    const std::string idents = beaconSource(database).identTable;
    std::string sql = "SELECT " + idents + ".Ident AS Ident, navs.Name AS Name, navs.Frequency AS Frequency,"
                      " nav_facts.Latitude AS Latitude, nav_facts.Longitude AS Longitude"
                      " FROM navs JOIN nav_facts ON nav_facts.ID=navs.ID";
    if (ndb)
        sql += " JOIN ndb_coverage ON ndb_coverage.ID=navs.ID";
    if (idents != "navs")
        sql += " LEFT JOIN " + idents + " ON " + idents + ".ID=navs.ID";
    if (!ndb)
        sql += " WHERE navs.type='VOR'";
    CRecordset rs(&database);
    try {
        if (!rs.Open(CRecordset::forwardOnly, sql, CRecordset::none))
            return beacons;
        for (; !rs.IsEOF(); rs.MoveNext()) {
            Waypoint point;
            point.kind = kind;
            point.ident = rs.GetFieldValue("Ident");
            point.name = rs.GetFieldValue("Name");
            const std::optional<double> lat = base::parseDecimal(rs.GetFieldValue("Latitude"));
            const std::optional<double> lon = base::parseDecimal(rs.GetFieldValue("Longitude"));
            if (!lat || !lon || std::fabs(*lat) > 90.0 || std::fabs(*lon) > 180.0) {
                if (damaged)
                    ++*damaged;
                continue;
            }
            point.latitude = *lat;
            point.longitude = *lon;
            std::string frequency = rs.GetFieldValue("Frequency");
            if (!frequency.empty() && frequency != "-1.0")
                point.frequency = frequency;
            beacons.push_back(std::move(point));
        }
    } catch (const CDBException& e) {
        throw PlanError(std::string("The navigation database cannot list its ") + (ndb ? "NDBs: " : "VORs: ") +
                        e.what());
    }
    return beacons;
}

}  // namespace

std::vector<Waypoint> readAllVors(CDatabase& database, std::size_t* damaged)
{
    return readAllBeacons(database, WaypointKind::Vor, damaged);
}

std::vector<Waypoint> readAllNdbs(CDatabase& database, std::size_t* damaged)
{
    return readAllBeacons(database, WaypointKind::Ndb, damaged);
}

}  // namespace search
