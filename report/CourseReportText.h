// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "report/CoursePlan.h"

#include <string>
#include <string_view>
#include <vector>

// The whole of course.txt for plan, every line ended by CR LF.
std::string FormatCourseReport(const CoursePlan& plan);

// The navigation table: heading, underline and one line per route row of 7
// texts, each line ended by lineEnd.
std::string FormatNavigationTable(const std::vector<std::vector<std::string>>& route, std::string_view lineEnd);
