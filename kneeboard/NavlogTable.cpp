// SPDX-License-Identifier: GPL-3.0-or-later
#include "kneeboard/NavlogTable.h"

#include "base/NumberText.h"
#include "flightplan/formats/PlanTexts.h"

#include <algorithm>
#include <cmath>

namespace kneeboard {

using flightplan::degreesText;
using flightplan::durationText;
using base::formatFixed;

namespace {

// A beacon's frequency beside its ident; nothing for an airport, whose
// frequency is no beacon to tune.
std::string frequencyOf(const flightplan::Waypoint& point)
{
    if (point.kind == flightplan::WaypointKind::Airport)
        return "";
    if (point.kind == flightplan::WaypointKind::Ndb) {
        // As the legs give an NDB's tuning: "ADF 338".
        flightplan::Leg tuned;
        tuned.frequency = point.frequency;
        tuned.radio = flightplan::Radio::Adf;
        return flightplan::tuneText(tuned);
    }
    return point.frequency.value_or("-");
}

bool changeoverOffHalfway(const flightplan::Leg& leg)
{
    return leg.changeoverNm && std::fabs(*leg.changeoverNm - leg.distanceNm / 2.0) >= 0.5;
}

NavlogCell coverageCell(const flightplan::Leg& leg)
{
    NavlogCell cell;
    if (std::lround(leg.uncoveredNm) > 0)
        cell.top = "gap " + formatFixed(leg.uncoveredNm, 0);
    if (changeoverOffHalfway(leg))
        cell.bottom = "COP " + formatFixed(*leg.changeoverNm, 0);
    return cell;
}

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
        {{"From", "To"}, false, false, true},   {{"Freq", ""}, false, false, true}, {{"Radial", "out / in"}, false, false},
        {{"MC", ""}, true, false},        {{"MH", ""}, true, false},    {{"Dist", "total"}, true, false},
        {{"GS", "kt"}, true, false},      {{"ETE", "total"}, true, false},
        {{"ETA", ""}, false, true},       {{"ATA", ""}, false, true},
    };
    if (fuel)
        table.columns.push_back({{"Fuel", "total"}, true, false});
    const bool coverage = std::any_of(plan.legs.begin(), plan.legs.end(), [](const flightplan::Leg& leg) {
        return std::lround(leg.uncoveredNm) > 0 || changeoverOffHalfway(leg);
    });
    if (coverage)
        table.columns.push_back({{plan.navaids == coverage::Navaids::VorNdb ? "VOR/NDB" : "VOR", "gap/COP"}, false, false, true});

    double distance = 0.0, minutes = 0.0, used = 0.0;
    for (const flightplan::Leg& leg : plan.legs) {
        distance += leg.distanceNm;
        minutes += leg.eteMinutes;
        used += leg.fuel.value_or(0.0);
        std::vector<NavlogCell> row(table.columns.size());
        row[FROM_TO] = {plan.waypoints[leg.from].ident, plan.waypoints[leg.to].ident};
        row[FREQUENCY] = {frequencyOf(plan.waypoints[leg.from]), frequencyOf(plan.waypoints[leg.to])};
        row[RADIALS] = {bearing(flightplan::outboundBearingText(leg), leg.radialFrom.has_value(), "out"),
                         bearing(flightplan::inboundBearingText(leg), leg.radialTo.has_value(), "in")};
        row[MAGNETIC_COURSE] = {leg.courseMagnetic ? degreesText(*leg.courseMagnetic) : "-", ""};
        row[MAGNETIC_HEADING] = {leg.headingMagnetic ? degreesText(*leg.headingMagnetic) : "-", ""};
        row[DISTANCE] = {formatFixed(leg.distanceNm, 1), formatFixed(distance, 1)};
        row[GROUND_SPEED] = {formatFixed(leg.groundSpeedKt, 0), ""};
        row[TIME_EN_ROUTE] = {durationText(leg.eteMinutes), durationText(minutes)};
        if (fuel)
            row[FUEL] = {formatFixed(leg.fuel.value_or(0.0), 1), formatFixed(used, 1)};
        if (coverage)
            row.back() = coverageCell(leg);
        table.rows.push_back(std::move(row));
    }

    table.totals.assign(table.columns.size(), NavlogCell{});
    table.totals[FROM_TO] = {"Total", ""};
    table.totals[DISTANCE] = {formatFixed(plan.totalNm, 1), "nm"};
    table.totals[GROUND_SPEED] = {formatFixed(plan.groundSpeedKt, 0), "avg"};
    table.totals[TIME_EN_ROUTE] = {durationText(plan.totalMinutes), ""};
    if (fuel && plan.fuelWithReserve)
        table.totals[FUEL] = {formatFixed(plan.fuelTotal.value_or(0.0), 1),
                               formatFixed(*plan.fuelWithReserve, 1) + " res"};
    if (coverage && std::lround(plan.uncoveredNm) > 0)
        table.totals.back() = {"gap " + formatFixed(plan.uncoveredNm, 0), "nm"};
    return table;
}

}  // namespace kneeboard
