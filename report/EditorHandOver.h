// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "report/CourseReport.h"

#include <string>

// Opens file in the desktop's editor through xdg-open, found on PATH only,
// with this program's environment and working directory. Once the editor's
// process has started, this program ends at once with status 0, without
// destructors or window teardown. When it cannot be started, returns false
// and reports nothing: also when xdg-open runs but ends with a failure
// within a moment (1.5 s), having found no editor to open the file in.
bool StartEditorAndExit(const std::string& file = COURSE_REPORT_FILE);
