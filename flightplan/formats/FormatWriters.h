// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flightplan/FlightPlan.h"
// The texts the formats share with the windows and the navlog, for the
// files that include this one for them.
#include "flightplan/formats/PlanTexts.h"

#include <string>
#include <vector>

namespace flightplan {

// One pure function per format, each in its own file: the whole file's
// bytes for a plan. Each first adapts the plan to what its format can carry
// (ident lengths and letters, airports the simulators do not know).

std::string writeFms(const FlightPlan& plan);       // X-Plane 11/12, FMS version 1100
std::string writePln(const FlightPlan& plan);       // Microsoft Flight Simulator
std::string writeFpl(const FlightPlan& plan);       // Garmin flight plan XML, version 1
std::string writeGpx(const FlightPlan& plan);       // GPX 1.1 route
std::string writeFgfp(const FlightPlan& plan);      // FlightGear route manager
std::string writeJson(const FlightPlan& plan);      // the whole plan for scripts
std::string writeLegTable(const FlightPlan& plan);  // the leg table to read
// Both routes between two airports as writeJson writes each:
// {"listed": {...}, "best": {...}}.
std::string writeJsonComparison(const FlightPlan& listed, const FlightPlan& best);

}  // namespace flightplan
