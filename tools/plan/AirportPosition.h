// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class CDatabase;

// Checks the position columns of the airports row with ID `airportID`, as
// the route search reads them: hemisphere letters N/S and E/W, whole
// degrees up to 90 and 180, hundredths below 100. A damaged row would give
// an empty route without a word; this throws std::runtime_error naming the
// airport, the database and the value instead. Database errors throw
// CDBException.
void CheckAirportPosition(CDatabase& database, const std::string& airportID, const std::string& databaseName);
