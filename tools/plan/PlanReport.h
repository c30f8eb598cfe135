// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

class CDatabase;

// Writes course.txt in the current directory for a calculated route, with
// both airports' texts and runways as the airport dialog shows them.
// Returns the report's full path; throws CDBException or CFileException.
std::string WritePlanReport(CDatabase* pDatabase, const std::string& departureID,
                            const std::string& destinationID, const std::vector<std::vector<std::string>>& route);
