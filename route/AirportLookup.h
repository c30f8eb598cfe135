// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class CDatabase;

// The ID text of an airport named by its ident (KJFK, any letter case) or by
// "#" and its ID; "" when the database has no such airport.
std::string FindAirportID(CDatabase* pDatabase, const std::string& identOrID);
