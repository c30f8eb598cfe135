#pragma once

#include "PlanOptions.h"

#include <ostream>
#include <string>
#include <vector>

class CDatabase;

// Builds the flight plan of a completed route and gives what the options ask
// for: the leg table or the JSON plan on `out`, or only the ICAO route, and
// every --export file and the --map. Throws flightplan::PlanError,
// routemap::MapError, or std::runtime_error when a data file is missing.
void WriteFlightPlanOutputs(CDatabase& database, const std::string& departureID, const std::string& destinationID,
                            const std::vector<std::string>& beaconIDs, const PlanOptions& options,
                            std::ostream& out);

// Throws flightplan::PlanError (or routemap::MapError for --map) naming the
// first file whose extension names no format.
void CheckExportNames(const PlanOptions& options);
