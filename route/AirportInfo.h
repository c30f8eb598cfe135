// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class CDatabase;
class CRecordset;
class RowSink;

// The six texts of one chosen airport, all from one airports row, in the
// forms the panels and the course report show them.
struct AirportInfo {
    std::string id;
    std::string name;
    std::string latitude;   // N40* 63.94'
    std::string longitude;  // W73* 77.89'
    std::string elevation;  // "13 ft."
    std::string atis;       // "128.725", or "NA" for a missing frequency
};

// Forms the texts from the current row of a query on airports.
AirportInfo ReadAirportInfo(CRecordset& rs);

// Reads airport `id` (its ID text) and forms its texts. A missing airport is
// a database error.
AirportInfo LoadAirportInfo(CDatabase* pDatabase, const std::string& id);

// The runways of an airport, one row of four cells each (Runway #, Length,
// Type, ILS Frequency, "NA" for a missing ILS), in the order the database
// returns them, appended to `runways`. Nothing is listed when the connection
// cannot be opened.
void ListRunways(CDatabase* pDatabase, const std::string& airportID, RowSink& runways);
