// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/CourseReport.h"

#include "base/Utf8Text.h"

#include "report/CourseReportText.h"
#include "report/ExclusiveFileWriter.h"

void WriteCourseReport(const CoursePlan& plan, const std::string& path)
{
    // The text is complete before the file is touched, so nothing can fail
    // half way through formatting and leave an emptied report behind.
    WriteFileExclusively(path, base::validUtf8(FormatCourseReport(plan)));
}
