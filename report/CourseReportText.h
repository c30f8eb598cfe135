#pragma once

#include "CoursePlan.h"

#include <string>

// The whole of course.txt for plan, every line ended by CR LF.
std::string FormatCourseReport(const CoursePlan& plan);
