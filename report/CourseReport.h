// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "report/CoursePlan.h"

#include <string>

inline constexpr const char COURSE_REPORT_FILE[] = "course.txt";

// Writes plan as the text report at path, replacing any earlier file. The
// file is closed when this returns. Throws CFileException, whose what() is
// meant for the user; shows nothing itself.
void WriteCourseReport(const CoursePlan& plan, const std::string& path = COURSE_REPORT_FILE);
