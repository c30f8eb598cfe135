// SPDX-License-Identifier: GPL-3.0-or-later
#include "planning/PlanExport.h"

#include "flightplan/PlanError.h"
#include "flightplan/formats/Formats.h"
#include "base/WholeFile.h"

#include <cstring>
#include <optional>

namespace planning {

bool isKneeboardPath(const std::string& path)
{
    const flightplan::PlanFormat* format = flightplan::formatForPath(path);
    return format && std::strcmp(format->id, flightplan::KNEEBOARD_FORMAT_ID) == 0;
}

void exportPlanFile(const flightplan::FlightPlan& plan, const std::string& path,
                    const std::function<kneeboard::KneeboardInputs()>& inputs)
{
    if (!isKneeboardPath(path)) {
        flightplan::exportPlan(plan, path);
        return;
    }
    std::string pdf;
    try {
        pdf = kneeboard::renderKneeboard(plan, inputs());
    } catch (const flightplan::PlanError& e) {
        throw flightplan::PlanError(base::cannotWriteText("flight plan file", path, e.what()));
    }
    if (std::optional<base::WriteFailure> failure = base::writeFileWhole(path, pdf))
        throw flightplan::PlanError(base::cannotWriteText("flight plan file", path, *failure));
}

}  // namespace planning
