#pragma once

#include <optional>
#include <string>
#include <vector>

struct PlanOptions {
    enum class Format { Table, Tsv, Legs, Json };
    Format format = Format::Table;
    bool stats = false;
    bool report = false;
    bool help = false;
    bool routeString = false;
    std::vector<std::string> exports;  // flight-plan files, format by extension
    std::optional<double> speedKt;
    std::optional<int> cruiseFt;
    std::string mapFile;  // the route map, SVG or PNG by the extension
    int mapWidth = 1200, mapHeight = 900;
    std::string departure;
    std::string destination;

    // Whether the run needs a flight plan, not only the route rows.
    bool NeedsFlightPlan() const
    {
        return format == Format::Legs || format == Format::Json || routeString || !exports.empty() ||
               !mapFile.empty();
    }
};

// Parses the command line; false with a message in `error` when it is wrong.
// --help (or -h) wins over everything after it.
bool ParsePlanOptions(int argc, char** argv, PlanOptions& options, std::string& error);

// Laid out as help2man reads it: the manual page is made from this text.
inline constexpr const char PLAN_USAGE[] =
    "Usage: meridane-plan [OPTION]... DEPARTURE DESTINATION\n"
    "Plans a route of VOR beacons from DEPARTURE to DESTINATION on VORS.MDB in the\n"
    "current directory. Airports are idents (KJFK), IATA codes (JFK) or # and an\n"
    "airport ID (#1234).\n"
    "\n"
    "  --format FORMAT    table (the default), tsv, legs (the legs with magnetic\n"
    "                     courses and radials) or json (the whole plan)\n"
    "  --route-string     print only the ICAO route\n"
    "  --export FILE      write a flight-plan file in the format its extension\n"
    "                     names: .fms X-Plane, .pln MSFS, .fpl Garmin, .gpx GPX,\n"
    "                     .fgfp FlightGear, .json, .txt; may be repeated\n"
    "  --speed KT         ground speed in knots (110)\n"
    "  --cruise FT        cruise altitude in feet\n"
    "  --map FILE         write the route map as .svg or .png\n"
    "  --map-size WxH     the map's size in pixels (1200x900)\n"
    "  --report           also write course.txt in the current directory\n"
    "  --stats            print statements, time and beacons on standard error\n"
    "  -h, --help         print this text\n";
