// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/Schema.h"

#include "tools/navdb/SqliteDb.h"

namespace navdb {

void createTables(SqliteDb& db)
{
    db.exec(
        "CREATE TABLE Regions  (name TEXT NOT NULL);"
        "CREATE TABLE countries(name TEXT NOT NULL, region TEXT NOT NULL);"
        // Hundredths and frequencies are only ever read as text, never
        // compared in SQL: stored as text (the importer's doubles turned
        // into the very text SQLite would give for them), they reach the
        // driver without a conversion in every statement that reads them.
        "CREATE TABLE airports (ID INTEGER PRIMARY KEY, Ident TEXT NOT NULL, Name TEXT NOT NULL,"
        " region TEXT NOT NULL, country TEXT NOT NULL, state TEXT NOT NULL, city TEXT NOT NULL,"
        " LatDir TEXT NOT NULL, LatMajor INTEGER NOT NULL, LatMinor TEXT NOT NULL,"
        " LongDir TEXT NOT NULL, LongMajor INTEGER NOT NULL, LongMinor TEXT NOT NULL,"
        " Elevation INTEGER, Frequency TEXT NOT NULL);"
        "CREATE TABLE runways  (airport_id INTEGER NOT NULL, Number TEXT NOT NULL, Length INTEGER,"
        " Type TEXT NOT NULL, ILS REAL NOT NULL);"
        // Only what the route search reads: it reads navs whole (SELECT *)
        // in thousands of statements a route, and every column costs each
        // of them its name, type and value in the driver.
        "CREATE TABLE navs     (ID INTEGER PRIMARY KEY, Name TEXT NOT NULL, type TEXT NOT NULL,"
        " LatDir TEXT NOT NULL, LatMajor INTEGER NOT NULL, LatMinor TEXT NOT NULL,"
        " LongDir TEXT NOT NULL, LongMajor INTEGER NOT NULL, LongMinor TEXT NOT NULL,"
        " Elevation INTEGER, Frequency TEXT NOT NULL);"
        // A beacon's identifier and the source's own type (VOR-DME, VORTAC,
        // NDB...), under the beacon's ID.
        "CREATE TABLE nav_idents (ID INTEGER PRIMARY KEY, Ident TEXT NOT NULL, Kind TEXT NOT NULL);"
        // Facts that a flight plan needs and the route search never reads,
        // kept apart so that the rows the search reads whole stay narrow.
        // Positions are decimal degrees as the source gives them, north and
        // east positive; a declination is east positive, NULL when unknown.
        "CREATE TABLE airport_facts (ID INTEGER PRIMARY KEY, Latitude REAL NOT NULL, Longitude REAL NOT NULL,"
        " IATA TEXT, CountryCode TEXT);"
        "CREATE TABLE nav_facts (ID INTEGER PRIMARY KEY, Latitude REAL NOT NULL, Longitude REAL NOT NULL,"
        " CountryCode TEXT, Declination REAL);"
        // What a VOR-family station's reception range follows from: its
        // service class (T, L or H) and the range a simulator gives it
        // (NULL where nav.dat has no such station).
        "CREATE TABLE nav_coverage (ID INTEGER PRIMARY KEY, Class TEXT NOT NULL, SimulatorRange REAL);"
        // The same for an NDB (type NDB or NDB-DME): its class by power
        // (COMLO, MH, H or HH) and the range the simulator gives it.
        "CREATE TABLE ndb_coverage (ID INTEGER PRIMARY KEY, Class TEXT NOT NULL, SimulatorRange REAL);"
        // The airport search's keys (AirportSearchRows.h), the likeliest
        // airports at the lowest Position; ID is the airport's.
        "CREATE TABLE airport_search (Position INTEGER PRIMARY KEY, ID INTEGER NOT NULL, Rank INTEGER NOT NULL,"
        " Ident TEXT NOT NULL, IATA TEXT, Words TEXT NOT NULL);");
}

void createIndexes(SqliteDb& db)
{
    db.exec(
        "CREATE INDEX airports_ident ON airports(Ident);"
        // The airport picker narrows region → country → state → city → name;
        // a pilot may skip state, or state and city, hence three orders.
        "CREATE INDEX airports_state_city_name ON airports(region, country, state, city, Name);"
        "CREATE INDEX airports_city_name ON airports(region, country, city, Name);"
        "CREATE INDEX airports_name ON airports(region, country, Name);"
        "CREATE INDEX countries_region_name ON countries(region, name);"
        "CREATE INDEX runways_airport ON runways(airport_id);"
        // The route search asks for VORs in a box of whole degrees within one
        // quadrant: equality on type and both hemispheres, then the range.
        "CREATE INDEX navs_type_box ON navs(type, LatDir, LongDir, LatMajor, LongMajor);"
        // The airport search looks codes up exactly; names and cities it
        // reads in Position order.
        "CREATE INDEX airport_search_ident ON airport_search(Ident);"
        "CREATE INDEX airport_search_iata ON airport_search(IATA) WHERE IATA IS NOT NULL;"
        "ANALYZE;");
}

}  // namespace navdb
