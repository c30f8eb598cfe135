// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/plan/RouteComparison.h"

#include "base/NumberText.h"
#include "flightplan/formats/PlanTexts.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

std::string uncoveredText(const flightplan::FlightPlan& plan)
{
    return std::lround(plan.uncoveredNm) == 0 ? "every leg covered"
                                              : base::formatFixed(plan.uncoveredNm, 0) + " nm";
}

}  // namespace

std::string writeRouteComparison(const flightplan::FlightPlan& listed, const flightplan::FlightPlan& best)
{
    const std::vector<std::vector<std::string>> rows{
        {"", "Listed", best.navaids == coverage::Navaids::VorNdb ? "Best by VOR and NDB" : "Best"},
        {"Distance", base::formatFixed(listed.totalNm, 1) + " nm", base::formatFixed(best.totalNm, 1) + " nm"},
        {"Legs", std::to_string(listed.legs.size()), std::to_string(best.legs.size())},
        {"Uncovered", uncoveredText(listed), uncoveredText(best)},
        {"Time", flightplan::durationText(listed.totalMinutes), flightplan::durationText(best.totalMinutes)},
        {"Cruise", flightplan::cruiseText(listed), flightplan::cruiseText(best)},
    };
    std::string text;
    for (const auto& row : rows) {
        char line[128];
        std::snprintf(line, sizeof line, "%-10s  %-20s  %s", row[0].c_str(), row[1].c_str(), row[2].c_str());
        text += line;
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        text += "\n";
    }
    text += "\nListed " + listed.route + "\nBest   " + best.route + "\n";
    const std::string gap = flightplan::coverageGapText(best);
    if (!gap.empty())
        text += gap + "\n";
    return text;
}
