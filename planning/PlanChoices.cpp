// SPDX-License-Identifier: GPL-3.0-or-later
#include "planning/PlanChoices.h"

#include "base/NumberText.h"

#include <cmath>

namespace planning {

std::optional<double> parseFigure(std::string_view text, const FigureLimit& limit)
{
    const std::optional<double> value = base::parseDecimal(text);
    if (!value || *value < limit.lowest || *value > limit.highest || (limit.whole && std::floor(*value) != *value))
        return std::nullopt;
    return *value == 0.0 ? 0.0 : *value;  // no "-0" in the figures
}

std::string limitText(const FigureLimit& limit)
{
    return "from " + base::formatFixed(limit.lowest, 0) + " to " + base::formatFixed(limit.highest, 0);
}

std::optional<flightplan::RouteKind> parseRouteKind(std::string_view text)
{
    if (text == "listed")
        return flightplan::RouteKind::Listed;
    if (text == "best")
        return flightplan::RouteKind::Best;
    return std::nullopt;
}

flightplan::PlanOptions PlanChoices::planOptions(flightplan::RouteKind kind) const
{
    flightplan::PlanOptions options;
    if (trueAirspeedKt)
        options.trueAirspeedKt = *trueAirspeedKt;
    options.wind = wind;
    options.fuelBurnPerHour = fuelBurnPerHour;
    options.cruiseFt = cruiseFt;
    options.rangeModel = rangeModel;
    options.navaids = navaids;
    options.routeKind = kind;
    return options;
}

}  // namespace planning
