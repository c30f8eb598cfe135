// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/plan/PlanReport.h"

#include "route/AirportInfo.h"
#include "report/CourseReport.h"
#include "route/RowSink.h"

#include <filesystem>

namespace {

ReportAirport ReportTexts(const AirportInfo& info)
{
    return {info.name, info.latitude, info.longitude, info.atis, info.elevation};
}

std::vector<std::vector<std::string>> Runways(CDatabase* pDatabase, const std::string& airportID)
{
    RowList runways(RUNWAY_COLUMNS);
    ListRunways(pDatabase, airportID, runways);
    return runways.Rows();
}

}  // namespace

std::string WritePlanReport(CDatabase* pDatabase, const std::string& departureID,
                            const std::string& destinationID, const std::vector<std::vector<std::string>>& route)
{
    CoursePlan plan;
    plan.departure = ReportTexts(LoadAirportInfo(pDatabase, departureID));
    plan.destination = ReportTexts(LoadAirportInfo(pDatabase, destinationID));
    plan.departureRunways = Runways(pDatabase, departureID);
    plan.destinationRunways = Runways(pDatabase, destinationID);
    plan.route = route;
    WriteCourseReport(plan, COURSE_REPORT_FILE);
    return (std::filesystem::current_path() / COURSE_REPORT_FILE).string();
}
