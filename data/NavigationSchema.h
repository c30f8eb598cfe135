// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A query that the navigation database can run only when it has every table
// and column the selection dialog, the main window and the route search
// read, and that returns no row. Run right after connecting, it tells a
// navigation database from any other file the driver will open (an empty
// one, another database) before the first window. Columns are qualified,
// as the tables share names; the false condition keeps the join from
// reading a row.
inline constexpr const char NAVDB_SCHEMA_PROBE_SQL[] =
    "SELECT Regions.name,"
    " countries.name, countries.region,"
    " airports.ID, airports.Name, airports.region, airports.country, airports.state, airports.city,"
    " airports.LatDir, airports.LatMajor, airports.LatMinor, airports.LongDir, airports.LongMajor,"
    " airports.LongMinor, airports.Elevation, airports.Frequency,"
    " runways.airport_id, runways.Number, runways.Length, runways.Type, runways.ILS,"
    " navs.ID, navs.Name, navs.type, navs.LatDir, navs.LatMajor, navs.LatMinor, navs.LongDir,"
    " navs.LongMajor, navs.LongMinor, navs.Elevation, navs.Frequency"
    " FROM Regions, countries, airports, runways, navs WHERE 1=0";
