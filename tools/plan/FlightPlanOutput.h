// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/plan/PlanCommandLine.h"

#include <ostream>
#include <string>
#include <vector>

class CDatabase;

// Builds the flight plans the options ask for (the listed route's, when its
// beacons are given; the best covered route's for --route best and
// --compare) and gives what the options ask for of the chosen one: the leg
// table or the JSON plan on `out`, or only the ICAO route, or both routes'
// summaries, and every --export file and the --map. Throws
// flightplan::PlanError, map::MapError, CDBException, or
// std::runtime_error when a data file is missing.
void WriteFlightPlanOutputs(CDatabase& database, const std::string& departureID, const std::string& destinationID,
                            const std::vector<std::string>* listedBeaconIDs, const PlanCommandLine& options,
                            std::ostream& out, std::ostream& err);

// Throws flightplan::PlanError (or map::MapError for --map) naming the
// first file whose extension names no format.
void CheckExportNames(const PlanCommandLine& options);
