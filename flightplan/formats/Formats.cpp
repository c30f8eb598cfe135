// SPDX-License-Identifier: GPL-3.0-or-later
#include "flightplan/formats/Formats.h"

#include "base/AsciiText.h"
#include "base/Utf8Text.h"
#include "base/WholeFile.h"

#include "flightplan/PlanError.h"
#include "flightplan/formats/FormatWriters.h"

namespace flightplan {

const std::vector<PlanFormat>& planFormats()
{
    static const std::vector<PlanFormat> formats{
        {"fms", "X-Plane 11/12 flight plan", ".fms",
         "FMS version 1100: AIRAC cycle, departure and destination, every point with its type, altitude and position",
         true, writeFms},
        {"pln", "Microsoft Flight Simulator flight plan", ".pln",
         "VFR plan, route type VOR to VOR, cruise altitude, airport names, every point with its position in degrees, "
         "minutes and seconds",
         true, writePln},
        {"fpl", "Garmin flight plan", ".fpl",
         "FlightPlan v1 XML: a waypoint table (identifier, type, position, name as comment) and the route through it",
         true, writeFpl},
        {"gpx", "GPX route", ".gpx",
         "GPX 1.1 route: each point with its position, ident as name, name and frequency as description; airports at "
         "their elevation, beacons at the cruise altitude",
         true, writeGpx},
        {"fgfp", "FlightGear route", ".fgfp",
         "Route manager file version 2: departure and destination airports, cruise altitude, each point by ident and "
         "position",
         true,
         writeFgfp},
        {"json", "JSON flight plan", ".json",
         "The whole plan: airports, legs with distances, courses, radials and times, totals, cruise, route string (also as item 15 of a filed plan)",
         false, writeJson},
        {"legs", "Leg table", ".txt",
         "The legs to fly: frequency to tune, magnetic course, radials, distance, time, cumulative distance; totals "
         "and route",
         false, writeLegTable},
        {KNEEBOARD_FORMAT_ID, "Kneeboard navlog", ".pdf",
         "A printable PDF: a row per leg with frequency, radials, course, heading, distance, ground speed, time, fuel "
         "and empty ETA and ATA boxes; totals, route, and the route map on the last page",
         false, nullptr},
    };
    return formats;
}

const PlanFormat* formatById(std::string_view id)
{
    for (const PlanFormat& format : planFormats()) {
        if (id == format.id)
            return &format;
    }
    return nullptr;
}

const PlanFormat* formatForPath(std::string_view path)
{
    const std::string extension = base::lowerExtension(path);
    for (const PlanFormat& format : planFormats()) {
        if (!extension.empty() && extension == format.extension)
            return &format;
    }
    return nullptr;
}

const PlanFormat& requireFormatForPath(const std::string& path)
{
    if (const PlanFormat* format = formatForPath(path))
        return *format;
    std::string known;
    for (const PlanFormat& format : planFormats())
        known += (known.empty() ? "" : ", ") + std::string(format.extension);
    throw PlanError("The flight plan file " + path + " has no extension that names a format (" + known + ").");
}

void exportPlan(const FlightPlan& plan, const std::string& path)
{
    const PlanFormat& format = requireFormatForPath(path);
    if (!format.write)
        throw PlanError("The flight plan file " + path + " cannot be written here: the " + format.displayName +
                        " is drawn with its map.");
    if (std::optional<base::WriteFailure> failure = base::writeFileWhole(path, base::validUtf8(format.write(plan))))
        throw PlanError(base::cannotWriteText("flight plan file", path, *failure));
}

}  // namespace flightplan
