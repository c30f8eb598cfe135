// SPDX-License-Identifier: GPL-3.0-or-later
#include "kneeboard/NavlogTable.h"

#include "base/NumberText.h"
#include "flightplan/formats/FormatWriters.h"

namespace kneeboard {

using flightplan::degreesText;
using flightplan::durationText;
using base::formatFixed;

namespace {

// A VOR's radial with the way it is flown ("R-057 out"); an NDB's bearing
// names its way itself ("QDM 247").
std::string bearing(const std::string& text, bool radial, const char* way)
{
    if (text.empty())
        return "-";
    return radial ? text + " " + way : text;
}

}  // namespace

NavlogTable navlogTable(const flightplan::FlightPlan& plan)
{
    const bool fuel = plan.fuelBurnPerHour.has_value();
    NavlogTable table;
    table.columns = {
        {{"From", "To"}, false, false},   {{"Freq", ""}, false, false}, {{"Radial", "out / in"}, false, false},
        {{"MC", ""}, true, false},        {{"MH", ""}, true, false},    {{"Dist", "total"}, true, false},
        {{"GS", "kt"}, true, false},      {{"ETE", "total"}, true, false},
        {{"ETA", ""}, false, true},       {{"ATA", ""}, false, true},
    };
    if (fuel)
        table.columns.push_back({{"Fuel", "total"}, true, false});

    double distance = 0.0, minutes = 0.0, used = 0.0;
    for (const flightplan::Leg& leg : plan.legs) {
        distance += leg.distanceNm;
        minutes += leg.eteMinutes;
        used += leg.fuel.value_or(0.0);
        std::vector<NavlogCell> row{
            {plan.waypoints[leg.from].ident, plan.waypoints[leg.to].ident},
            {flightplan::tuneText(leg), ""},
            {bearing(flightplan::outboundBearingText(leg), leg.radialFrom.has_value(), "out"),
             bearing(flightplan::inboundBearingText(leg), leg.radialTo.has_value(), "in")},
            {leg.courseMagnetic ? degreesText(*leg.courseMagnetic) : "-", ""},
            {leg.headingMagnetic ? degreesText(*leg.headingMagnetic) : "-", ""},
            {formatFixed(leg.distanceNm, 1), formatFixed(distance, 1)},
            {formatFixed(leg.groundSpeedKt, 0), ""},
            {durationText(leg.eteMinutes), durationText(minutes)},
            {},
            {},
        };
        if (fuel)
            row.push_back({formatFixed(leg.fuel.value_or(0.0), 1), formatFixed(used, 1)});
        table.rows.push_back(std::move(row));
    }

    table.totals.assign(table.columns.size(), NavlogCell{});
    table.totals[0] = {"Total", ""};
    table.totals[5] = {formatFixed(plan.totalNm, 1), "nm"};
    table.totals[6] = {formatFixed(plan.groundSpeedKt, 0), "avg"};
    table.totals[7] = {durationText(plan.totalMinutes), ""};
    if (fuel && plan.fuelWithReserve)
        table.totals[10] = {formatFixed(plan.fuelTotal.value_or(0.0), 1), formatFixed(*plan.fuelWithReserve, 1) + " res"};
    return table;
}

}  // namespace kneeboard
