// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flightplan/FlightPlan.h"
#include "kneeboard/KneeboardPdf.h"

#include <functional>
#include <string>

namespace planning {

// Whether path names the kneeboard navlog (.pdf), the one export that needs
// a map drawn.
bool isKneeboardPath(const std::string& path);

// Writes the plan to path in the format its extension names, every export
// format alike: the simulators' files as flightplan::exportPlan does, the
// kneeboard navlog as kneeboard/ draws it. The navlog takes what it needs
// besides the plan from inputs, asked for only then. Throws PlanError naming
// the file.
void exportPlanFile(const flightplan::FlightPlan& plan, const std::string& path,
                    const std::function<kneeboard::KneeboardInputs()>& inputs);

}  // namespace planning
