// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flightplan/FlightPlan.h"

#include <string>
#include <string_view>
#include <vector>

namespace flightplan {

// One row per output format: the planner's --format and --export, and the
// window's save dialog, offer what this table lists.
struct PlanFormat {
    const char* id;           // "fms": the command-line name
    const char* displayName;  // for a file dialog's filter
    const char* extension;    // ".fms", lower case with its dot
    const char* carries;      // what of the plan the file holds
    bool simulatorFile;       // a plan for a simulator or GPS, not a report
    // The file's bytes; nullptr for the kneeboard navlog, which draws a map
    // and is written by the layer above (planning/PlanExport.h).
    std::string (*write)(const FlightPlan&);
};

inline constexpr const char KNEEBOARD_FORMAT_ID[] = "pdf";

const std::vector<PlanFormat>& planFormats();

// The format with that id, or nullptr.
const PlanFormat* formatById(std::string_view id);

// The format a file name's extension names, letter case ignored, or nullptr.
const PlanFormat* formatForPath(std::string_view path);

// formatForPath, throwing PlanError that names the file and lists the
// extensions known when there is none: callers check every file name
// before any work starts.
const PlanFormat& requireFormatForPath(const std::string& path);

// Writes the plan to path in the format its extension names, whole (see
// base/WholeFile.h: a reader never sees half a plan, a failure leaves what
// was at path untouched, a link at path is replaced, not followed). Throws
// PlanError naming the file and the cause, also for a format this
// layer cannot write.
void exportPlan(const FlightPlan& plan, const std::string& path);

}  // namespace flightplan
