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

inline constexpr const char PLAN_USAGE[] =
    "usage: meridane-plan [--help] [--format table|tsv|legs|json] [--route-string] [--export FILE]...\n"
    "                     [--speed KT] [--cruise FT] [--map FILE [--map-size WxH]] [--stats] [--report]\n"
    "                     DEPARTURE DESTINATION\n"
    "  DEPARTURE, DESTINATION: airport idents (KJFK), IATA codes (JFK) or # and an airport ID (#1234)\n"
    "  Works on VORS.MDB in the current directory. --report also writes course.txt there.\n"
    "  --format legs: the legs with magnetic courses and radials; json: the whole plan.\n"
    "  --route-string: only the ICAO route. --export: a flight-plan file, its format by\n"
    "  the extension (.fms X-Plane, .pln MSFS, .fpl Garmin, .gpx GPX, .fgfp FlightGear).\n"
    "  --speed: ground speed in knots (110); --cruise: cruise altitude in feet.\n"
    "  --map: the route map as .svg or .png, 1200x900 pixels unless --map-size says.\n";
