// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flightplan/formats/Formats.h"

#include <string>

// The file an export writes, from the name the save dialog hands back and
// the format of the filter chosen in it. The filter decides the format, and
// the extension follows it: a name without a format's extension gets the
// filter's; the suggested name, still bearing the extension the dialog
// started with (or any format's), takes the filter's instead. A name the
// user typed with a format's extension keeps it: what was typed wins.
std::string ExportFileName(const std::string& path, const flightplan::PlanFormat& chosen,
                           const std::string& suggestedStem);

// The name the save dialog shows once the user picks another filter, so
// that it names the file the filter's format will write: a name that ends
// in any format's extension takes the chosen one's instead, any other gains
// it. The file's name only, without its folder.
std::string NameForFilter(const std::string& name, const flightplan::PlanFormat& chosen);
