// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/plan/RouteTable.h"

#include "report/CourseReportText.h"

void PrintRouteTable(std::ostream& out, const std::vector<std::vector<std::string>>& rows)
{
    out << FormatNavigationTable(rows, "\n");
}

void PrintRouteTsv(std::ostream& out, const std::vector<std::vector<std::string>>& rows)
{
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i)
            out << (i ? "\t" : "") << row[i];
        out << "\n";
    }
}
