#pragma once

#include "PlanOptions.h"

#include <ostream>
#include <string>
#include <vector>

class CDatabase;

// Builds the flight plan of a completed route and gives what the options ask
// for: the leg table or the JSON plan on `out`, or only the ICAO route, and
// every --export file. Throws flightplan::PlanError, or std::runtime_error
// when the magnetic model's file cannot be found.
void WriteFlightPlanOutputs(CDatabase& database, const std::string& departureID, const std::string& destinationID,
                            const std::vector<std::string>& beaconIDs, const PlanOptions& options,
                            std::ostream& out);

// Throws flightplan::PlanError naming the first --export file whose
// extension names no format.
void CheckExportNames(const PlanOptions& options);
