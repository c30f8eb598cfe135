// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>

// Fills airport_search of a fixture database from its airports rows and the
// IATA codes of airport_facts, with the importer's own code. Every airport
// ranks as a small airport unless `ranks` gives its rank by ID (0 for a
// large airport).
void IndexAirportsForSearch(const std::string& file, const std::map<long long, int>& ranks = {});
