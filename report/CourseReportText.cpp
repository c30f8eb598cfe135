// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/CourseReportText.h"

#include "base/TextColumns.h"

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <string_view>

namespace {

// The report is read in Windows editors as well, hence CR LF.
constexpr std::string_view LINE_END = "\r\n";

constexpr std::size_t HALF = 40;
constexpr std::size_t RUNWAY_WIDTHS[] = {5, 7, 10, 18};
constexpr std::size_t ROUTE_WIDTHS[] = {24, 6, 11, 11, 6, 11, 11};

struct Cell {
    std::string_view text;
    std::size_t width;
};

void AppendLine(std::string& out, std::initializer_list<Cell> cells)
{
    for (const Cell& cell : cells)
        base::appendCell(out, cell.text, cell.width);
    out.append(LINE_END);
}

// A row holding fewer cells than the table has columns shows blanks for the
// missing ones rather than failing the whole report.
std::string_view CellOf(const std::vector<std::string>* row, std::size_t column)
{
    if (!row || column >= row->size())
        return {};
    return (*row)[column];
}

void AppendBanner(std::string& out)
{
    out.append(80, '*').append(LINE_END);
    AppendLine(out, {{"*  Meridane 1.0", 79}, {"*", 1}});
    AppendLine(out, {{"*", 79}, {"*", 1}});
    out.append(80, '*').append(LINE_END);
    out.append(LINE_END);
    out.append(LINE_END);
}

void AppendAirports(std::string& out, const ReportAirport& dep, const ReportAirport& dest)
{
    const std::string rule(32, '=');
    AppendLine(out, {{"Departure Airport", HALF}, {"Destination Airport", HALF}});
    AppendLine(out, {{rule, HALF}, {rule, HALF}});
    AppendLine(out, {{dep.name, HALF}, {dest.name, HALF}});
    AppendLine(out, {{"Latitude:  ", 0}, {dep.latitude, 29}, {"Latitude:  ", 0}, {dest.latitude, 29}});
    AppendLine(out, {{"Longitude: ", 0}, {dep.longitude, 29}, {"Longitude: ", 0}, {dest.longitude, 29}});
    AppendLine(out, {{"ATIS: ", 0}, {dep.atis, 34}, {"ATIS: ", 0}, {dest.atis, 34}});
    AppendLine(out, {{"Elevation: ", 0}, {dep.elevation, 29}, {"Elevation: ", 0}, {dest.elevation, 29}});
    AppendLine(out, {{"Runways:", HALF}, {"Runways:", HALF}});
}

void AppendRunwayLine(std::string& out, const std::vector<std::string>* dep, const std::vector<std::string>* dest)
{
    for (const std::vector<std::string>* row : {dep, dest}) {
        for (std::size_t column = 0; column < std::size(RUNWAY_WIDTHS); ++column)
            base::appendCell(out, CellOf(row, column), RUNWAY_WIDTHS[column]);
    }
    out.append(LINE_END);
}

// The two lists are paired by position only: the runways of two airports have
// nothing to do with each other, they merely share the lines.
void AppendRunways(std::string& out, const CoursePlan& plan)
{
    const std::vector<std::string> heading = {"RW #", "Length", "Type", "ILS Freq."};
    const std::vector<std::string> depRule = {"=====", "=======", "==========", "========="};
    const std::vector<std::string> destRule = {"=====", "=======", "==========", "=========="};
    AppendRunwayLine(out, &heading, &heading);
    AppendRunwayLine(out, &depRule, &destRule);

    const auto& dep = plan.departureRunways;
    const auto& dest = plan.destinationRunways;
    for (std::size_t i = 0; i < std::max(dep.size(), dest.size()); ++i)
        AppendRunwayLine(out, i < dep.size() ? &dep[i] : nullptr, i < dest.size() ? &dest[i] : nullptr);
    out.append(LINE_END);
}

void AppendRouteLine(std::string& out, const std::vector<std::string>& row, std::string_view lineEnd)
{
    for (std::size_t column = 0; column < std::size(ROUTE_WIDTHS); ++column)
        base::appendCell(out, CellOf(&row, column), ROUTE_WIDTHS[column]);
    out.append(lineEnd);
}

}  // namespace

std::string FormatNavigationTable(const std::vector<std::vector<std::string>>& route, std::string_view lineEnd)
{
    std::string out;
    // "Longtitude" is misspelt on purpose: the report reads exactly as the
    // ones written before, for anyone comparing or reading them by program.
    AppendRouteLine(out, {"Navigation Name", "Freq", "Latitude", "Longtitude", "Alt.", "Dist Dept.", "Dist Dest."},
                    lineEnd);
    AppendRouteLine(out, {std::string(23, '='), std::string(5, '='), std::string(10, '='), std::string(10, '='),
                          std::string(5, '='), std::string(10, '='), std::string(10, '=')},
                    lineEnd);
    for (const auto& row : route)
        AppendRouteLine(out, row, lineEnd);
    return out;
}

std::string FormatCourseReport(const CoursePlan& plan)
{
    std::string out;
    out.reserve(82 * (20 + plan.route.size() + std::max(plan.departureRunways.size(), plan.destinationRunways.size())));
    AppendBanner(out);
    AppendAirports(out, plan.departure, plan.destination);
    AppendRunways(out, plan);
    out += FormatNavigationTable(plan.route, LINE_END);
    return out;
}
