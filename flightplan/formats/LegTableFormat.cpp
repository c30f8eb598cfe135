// SPDX-License-Identifier: GPL-3.0-or-later
#include "flightplan/formats/FormatWriters.h"

#include "base/NumberText.h"
#include "base/TextColumns.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace flightplan {

namespace {

std::string thousandsText(long value)
{
    std::string digits = std::to_string(std::labs(value));
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(static_cast<std::size_t>(i), ",");
    return value < 0 ? "-" + digits : digits;
}

// A VOR's radial says which way it is flown ("out", "in"); an NDB's QDR and
// QDM say it themselves.
std::string radialText(const FlightPlan& plan, const Leg& leg)
{
    std::string text;
    const std::string out = outboundBearingText(leg);
    if (!out.empty())
        text = plan.waypoints[leg.from].ident + " " + out + (leg.radialFrom ? " out" : "");
    const std::string in = inboundBearingText(leg);
    if (!in.empty())
        text += (text.empty() ? "" : ", ") + plan.waypoints[leg.to].ident + " " + in + (leg.radialTo ? " in" : "");
    return text.empty() ? "-" : text;
}

const char* receivableText(const FlightPlan& plan)
{
    return plan.navaids == coverage::Navaids::VorNdb ? "VOR or NDB" : "VOR";
}

// The ends of a leg that the simulator's data lacks, each named with `why`.
std::string missingEndsText(const FlightPlan& plan, const Leg& leg, const std::string& why)
{
    std::string text;
    for (std::size_t end : {leg.from, leg.to}) {
        if (plan.waypoints[end].missingFromSimulator)
            text += (text.empty() ? "" : ", ") + plan.waypoints[end].ident + " " + why;
    }
    return text;
}

// What a pilot must know of a leg's reception: a beacon the simulator
// lacks, a stretch without any beacon, and where to switch beacons when
// that is not halfway.
std::string coverageText(const FlightPlan& plan, const Leg& leg)
{
    std::string text = missingEndsText(plan, leg, NOT_IN_SIMULATOR_TEXT);
    if (std::lround(leg.uncoveredNm) > 0)
        text += (text.empty() ? "" : ", ") + std::string("no ") + receivableText(plan) + " for " +
                thousandsText(std::lround(leg.uncoveredNm)) + " nm";
    if (leg.changeoverNm && std::fabs(*leg.changeoverNm - leg.distanceNm / 2.0) >= 0.5)
        text += (text.empty() ? "" : ", ") + std::string("changeover at ") + base::formatFixed(*leg.changeoverNm, 0) + " nm";
    return text;
}

// The same in the few letters a narrow column holds: the stretch without
// a beacon, and the changeover point where it is not halfway.
std::string compactCoverageText(const FlightPlan& plan, const Leg& leg)
{
    std::string text = missingEndsText(plan, leg, "not in sim");
    if (std::lround(leg.uncoveredNm) > 0)
        text += (text.empty() ? "" : " ") + std::string("gap ") + thousandsText(std::lround(leg.uncoveredNm));
    if (leg.changeoverNm && std::fabs(*leg.changeoverNm - leg.distanceNm / 2.0) >= 0.5)
        text += (text.empty() ? "" : " ") + std::string("COP ") + base::formatFixed(*leg.changeoverNm, 0);
    return text;
}

std::string layOut(const std::vector<std::vector<std::string>>& rows, const std::vector<bool>& rightAligned)
{
    std::vector<std::size_t> widths(rightAligned.size(), 0);
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], base::displayWidth(row[c]));
    }
    std::string text;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            const std::string padding(widths[c] - base::displayWidth(row[c]), ' ');
            if (c > 0)
                line += "  ";
            line += rightAligned[c] ? padding + row[c] : row[c] + padding;
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        text += line + "\n";
    }
    return text;
}

}  // namespace

std::string writeLegTable(const FlightPlan& plan)
{
    const Waypoint& departure = plan.departure();
    const Waypoint& destination = plan.destination();
    const std::string date = isoDateText(plan.date);

    std::string text = departure.ident + " " + departure.name + " to " + destination.ident + " " + destination.name +
                       "\n";
    text += speedText(plan) + ", cruise " + thousandsText(plan.cruiseFt) + " ft" +
            (plan.cruiseGivenByUser ? "" : " (VFR semicircular rule)") + ", magnetic figures for " + date + "\n";
    if (!plan.magneticNote.empty())
        text += "Note: " + plan.magneticNote + "\n";
    text += "\n";

    const std::vector<LegColumn> columns = legTableColumns(plan);
    std::vector<std::vector<std::string>> rows(1);
    std::vector<bool> rightAligned;
    for (const LegColumn& column : columns) {
        rows[0].push_back(column.heading);
        rightAligned.push_back(column.figure);
    }
    for (auto& row : legTableRows(plan))
        rows.push_back(std::move(row));
    text += layOut(rows, rightAligned);
    text += "\n" + legTableTotals(plan) + "\n";
    const std::string gap = coverageGapText(plan);
    if (!gap.empty())
        text += gap + "\n";
    const std::string missing = simulatorDataText(plan);
    if (!missing.empty())
        text += missing + "\n";
    text += "Route " + plan.route + "\n";
    return text;
}

std::vector<LegColumn> legTableColumns(const FlightPlan& plan)
{
    std::vector<LegColumn> columns{
        {"From", false, "From"}, {"To", false, "To"}, {"Tune", false, "Tune"}, {"Course (mag)", false, "MC"}};
    if (plan.wind)
        columns.push_back({"Heading (mag)", false, "MH"});
    columns.insert(columns.end(), {{"Radial", false, "Radials"}, {"Leg nm", true, "nm"}});
    if (plan.wind)
        columns.push_back({"GS kt", true, "GS"});
    columns.push_back({"Time", true, "Time"});
    if (plan.fuelBurnPerHour)
        columns.push_back({"Fuel", true, "Fuel"});
    columns.push_back({"Total nm", true, "Total"});
    // The narrow heading names what is received.
    columns.push_back({"Coverage", false, plan.navaids == coverage::Navaids::VorNdb ? "VOR/NDB" : "VOR"});
    return columns;
}

std::vector<std::vector<std::string>> legTableRows(const FlightPlan& plan)
{
    std::vector<std::vector<std::string>> rows;
    double cumulative = 0.0;
    for (const Leg& leg : plan.legs) {
        cumulative += leg.distanceNm;
        std::vector<std::string> row{plan.waypoints[leg.from].ident, plan.waypoints[leg.to].ident,
                                     tuneText(leg), leg.courseMagnetic ? degreesText(*leg.courseMagnetic) : "-"};
        if (plan.wind)
            row.push_back(leg.headingMagnetic ? degreesText(*leg.headingMagnetic) : "-");
        row.insert(row.end(), {radialText(plan, leg), base::formatFixed(leg.distanceNm, 1)});
        if (plan.wind)
            row.push_back(base::formatFixed(leg.groundSpeedKt, 0));
        row.push_back(durationText(leg.eteMinutes));
        if (plan.fuelBurnPerHour)
            row.push_back(base::formatFixed(leg.fuel.value_or(0.0), 1));
        row.push_back(base::formatFixed(cumulative, 1));
        row.push_back(coverageText(plan, leg));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<std::vector<std::string>> compactLegRows(const FlightPlan& plan)
{
    std::vector<std::vector<std::string>> rows = legTableRows(plan);
    const std::vector<LegColumn> columns = legTableColumns(plan);
    std::size_t radialColumn = 0;
    while (columns[radialColumn].heading != "Radial")
        ++radialColumn;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Leg& leg = plan.legs[i];
        // Without the "R-" of a radial, which the column's heading says: the
        // leg columns of a plan with a wind and a burn read whole beside
        // the airports' panels on a 1280 pixel screen. An NDB's QDR and QDM
        // keep their names.
        const auto compact = [](const std::string& bearing) {
            return bearing.rfind("R-", 0) == 0 ? bearing.substr(2) : bearing;
        };
        const std::string out = compact(outboundBearingText(leg));
        const std::string in = compact(inboundBearingText(leg));
        std::string radials = out;
        if (!out.empty() || !in.empty())
            radials += "\u2192";
        radials += in;
        rows[i][radialColumn] = radials.empty() ? "-" : radials;
        rows[i].back() = compactCoverageText(plan, leg);
    }
    return rows;
}

std::string legTableTotals(const FlightPlan& plan)
{
    std::string text = "Total " + base::formatFixed(plan.totalNm, 1) + " nm, " + durationText(plan.totalMinutes) + " at " +
                       base::formatFixed(plan.groundSpeedKt, 0) + " kt" + (plan.wind ? " average ground speed" : "");
    if (plan.fuelTotal && plan.fuelWithReserve)
        text += ", fuel " + base::formatFixed(*plan.fuelTotal, 1) + " (" + base::formatFixed(*plan.fuelWithReserve, 1) +
                " with 45 min reserve)";
    return text + ", " + coverageTotalText(plan);
}

std::string coverageTotalText(const FlightPlan& plan)
{
    const long uncovered = std::lround(plan.uncoveredNm);
    if (uncovered == 0)
        return "every leg covered";
    return thousandsText(uncovered) + " nm without a receivable " + receivableText(plan);
}

std::string coverageGapText(const FlightPlan& plan)
{
    if (plan.routeKind != RouteKind::Best || std::lround(plan.uncoveredNm) == 0)
        return {};
    const Leg* widest = &plan.legs.front();
    for (const Leg& leg : plan.legs) {
        if (leg.uncoveredNm > widest->uncoveredNm)
            widest = &leg;
    }
    std::string text = std::string("No ") + receivableText(plan) + " reaches between " + plan.waypoints[widest->from].ident + " and " +
                       plan.waypoints[widest->to].ident + ": " + thousandsText(std::lround(widest->uncoveredNm)) +
                       " nm uncovered";
    if (std::lround(plan.uncoveredNm) != std::lround(widest->uncoveredNm))
        text += " (" + thousandsText(std::lround(plan.uncoveredNm)) + " nm on the whole route)";
    return text;
}

std::string simulatorDataText(const FlightPlan& plan)
{
    std::vector<std::string> named;
    std::string idents;
    for (const Waypoint& point : plan.waypoints) {
        if (point.missingFromSimulator && std::find(named.begin(), named.end(), point.ident) == named.end()) {
            idents += (named.empty() ? "" : ", ") + point.ident;
            named.push_back(point.ident);
        }
    }
    return idents.empty() ? idents : idents + ": " + NOT_IN_SIMULATOR_TEXT + ", so not receivable there";
}

std::string routeSummaryText(const FlightPlan& plan)
{
    const std::size_t legs = plan.legs.size();
    return thousandsText(std::lround(plan.totalNm)) + " nm \u00b7 " + std::to_string(legs) +
           (legs == 1 ? " leg" : " legs") + " \u00b7 " +
           (std::lround(plan.uncoveredNm) == 0 ? std::string("every leg covered")
                                               : thousandsText(std::lround(plan.uncoveredNm)) + " nm uncovered");
}

std::string speedText(const FlightPlan& plan)
{
    // In still air the airspeed is the ground speed, and the line reads as it
    // always has.
    if (!plan.wind)
        return "Ground speed " + base::formatFixed(plan.trueAirspeedKt, 0) + " kt";
    return "True airspeed " + base::formatFixed(plan.trueAirspeedKt, 0) + " kt, wind " + windText(*plan.wind);
}

std::string cruiseText(const FlightPlan& plan)
{
    return thousandsText(plan.cruiseFt) + " ft";
}

std::string degreesText(double angle)
{
    long whole = std::lround(angle) % 360;
    if (whole <= 0)
        whole += 360;
    char text[8];
    std::snprintf(text, sizeof text, "%03ld", whole);
    return text;
}

std::string tuneText(const Leg& leg)
{
    if (!leg.frequency)
        return "-";
    if (leg.radio != Radio::Adf)
        return *leg.frequency;
    // The database writes kHz as a decimal ("338.0"); an ADF is set in whole
    // kHz but for the few half-kHz stations.
    const std::optional<double> khz = base::parseDecimal(*leg.frequency);
    if (!khz)
        return "ADF " + *leg.frequency;
    return "ADF " + base::formatFixed(*khz, std::fabs(*khz - std::round(*khz)) < 0.05 ? 0 : 1);
}

namespace {

// What the pilot holds at one end of a leg: a VOR's radial, or the ADF's
// bearing from (QDR) or to (QDM) an NDB.
std::string bearingText(const std::optional<double>& radial, const std::optional<double>& adfBearing,
                        const char* adfWord)
{
    if (radial)
        return "R-" + degreesText(*radial);
    if (adfBearing)
        return adfWord + (" " + degreesText(*adfBearing));
    return {};
}

}  // namespace

std::string outboundBearingText(const Leg& leg)
{
    return bearingText(leg.radialFrom, leg.qdrFrom, "QDR");
}

std::string inboundBearingText(const Leg& leg)
{
    return bearingText(leg.radialTo, leg.qdmTo, "QDM");
}

std::string durationText(double minutes)
{
    // Past any flight a plan allows (ground speeds of a knot at least) the
    // figure cannot be rounded into a whole number safely: no clock shows it.
    if (!(minutes >= 0.0 && minutes <= LONGEST_DURATION_MINUTES))
        return "--:--";
    const long whole = std::lround(minutes);
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

}  // namespace flightplan
