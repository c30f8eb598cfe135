// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/plan/PlanCommandLine.h"

#include "simlink/SimLink.h"

#include "base/NumberText.h"
#include "flightplan/WindTriangle.h"
#include "tools/common/CommandLineOptions.h"

#include <charconv>

namespace {

using tools::UsageError;

PlanCommandLine::Format FormatNamed(const std::string& value)
{
    if (value == "table")
        return PlanCommandLine::Format::Table;
    if (value == "tsv")
        return PlanCommandLine::Format::Tsv;
    if (value == "legs")
        return PlanCommandLine::Format::Legs;
    if (value == "json")
        return PlanCommandLine::Format::Json;
    throw UsageError("unknown format '" + value + "': use table, tsv, legs or json");
}

// One side of WIDTHxHEIGHT: digits only, and no more than an int holds.
bool ReadSide(std::string_view text, int& side)
{
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, side);
    return !text.empty() && text.front() != '-' && error == std::errc() && stop == end;
}

void ReadMapSize(const std::string& value, PlanCommandLine& options)
{
    const std::size_t x = value.find('x');
    int width = 0, height = 0;
    if (x == std::string::npos || !ReadSide(std::string_view(value).substr(0, x), width) ||
        !ReadSide(std::string_view(value).substr(x + 1), height) || width < map::SMALLEST_MAP_FILE_SIDE ||
        height < map::SMALLEST_MAP_FILE_SIDE || width > map::LARGEST_MAP_SIDE ||
        height > map::LARGEST_MAP_SIDE ||
        static_cast<long long>(width) * height > map::LARGEST_MAP_FILE_PIXELS) {
        throw UsageError("--map-size needs WIDTHxHEIGHT in pixels, " + std::to_string(map::SMALLEST_MAP_FILE_SIDE) +
                         " to " + std::to_string(map::LARGEST_MAP_SIDE) + " each and at most " +
                         std::to_string(map::LARGEST_MAP_FILE_PIXELS / 1000000) + " million in all, not '" +
                         value + "'");
    }
    options.mapWidth = width;
    options.mapHeight = height;
}

// A figure within its limit, or a usage error that says what the option
// takes: `wants` and the limit ("a true airspeed in knots" "from 1 to 2000").
double ReadFigure(const char* option, const std::string& wants, const planning::FigureLimit& limit,
                  const std::string& value)
{
    const std::optional<double> figure = planning::parseFigure(value, limit);
    if (!figure)
        throw UsageError(std::string(option) + " needs " + wants + " " + planning::limitText(limit) + ", not '" +
                         value + "'");
    return *figure;
}

// The value an option's text was read as, or a usage error saying why not.
template <typename Value>
Value Required(const std::optional<Value>& read, const std::string& message)
{
    if (!read)
        throw UsageError(message);
    return *read;
}

// A word from a short list: "unknown <what> '<value>': use <choices>" when
// it is none of them.
template <typename Value>
Value OneOf(const std::optional<Value>& read, const char* what, const std::string& value, const char* choices)
{
    return Required(read, std::string("unknown ") + what + " '" + value + "': use " + choices);
}

}  // namespace

bool ParsePlanCommandLine(int argc, char** argv, PlanCommandLine& options, std::string& error)
{
    enum {
        HELP, STATS, REPORT, ROUTE_STRING, FORMAT, EXPORT, MAP, MAP_SIZE, SPEED, CRUISE, DB,
        ROUTE, RANGES, COMPARE, MAP_RINGS, WIND, FUEL_BURN, PAPER, VERSION, FOLLOW, TUNE, NAVAIDS
    };
    static const std::vector<tools::OptionDefinition> definitions{
        {"help", 'h', false},   {"stats", 0, false}, {"report", 0, false}, {"route-string", 0, false},
        {"format", 0, true},    {"export", 0, true}, {"map", 0, true},     {"map-size", 0, true},
        {"speed", 0, true},     {"cruise", 0, true}, {"db", 0, true},      {"route", 0, true},
        {"ranges", 0, true},    {"compare", 0, false}, {"map-rings", 0, false}, {"wind", 0, true},
        {"fuel-burn", 0, true}, {"paper", 0, true}, {"version", 0, false}, {"follow", 0, true},
        {"tune", 0, false}, {"navaids", 0, true},
    };
    try {
        const std::vector<std::string> operands = tools::parseOptions(
            std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), definitions,
            [&](std::size_t option, const std::string& value) {
                switch (option) {
                case HELP:
                    options.help = true;
                    return false;
                case VERSION:
                    // Read on: --db names the database it reports on.
                    options.version = true;
                    break;
                case STATS:
                    options.stats = true;
                    break;
                case REPORT:
                    options.report = true;
                    break;
                case ROUTE_STRING:
                    options.routeString = true;
                    break;
                case FORMAT:
                    options.format = FormatNamed(value);
                    break;
                case EXPORT:
                    options.exports.push_back(value);
                    break;
                case MAP:
                    options.mapFile = value;
                    break;
                case MAP_SIZE:
                    ReadMapSize(value, options);
                    break;
                case SPEED:
                    options.choices.trueAirspeedKt =
                        ReadFigure("--speed", "a true airspeed in knots", planning::TRUE_AIRSPEED_LIMIT, value);
                    break;
                case CRUISE:
                    options.choices.cruiseFt = static_cast<int>(
                        ReadFigure("--cruise", "a whole number of feet", planning::CRUISE_LIMIT, value));
                    break;
                case WIND:
                    options.choices.wind =
                        Required(flightplan::parseWind(value),
                                 "--wind needs DDD/SS, the true direction the wind blows from (0 to 360) and its "
                                 "speed in knots (0 to " + base::formatFixed(flightplan::MAX_WIND_SPEED_KT, 0) + "), not '" +
                                     value + "'");
                    break;
                case FUEL_BURN:
                    options.choices.fuelBurnPerHour = ReadFigure(
                        "--fuel-burn", "the fuel used per hour, a number", planning::FUEL_BURN_LIMIT, value);
                    break;
                case PAPER:
                    options.choices.paper =
                        OneOf(kneeboard::parsePaper(value), "paper", value, "a5, a4, letter or half-letter");
                    break;
                case DB:
                    if (value.empty())
                        throw UsageError("--db needs a value");
                    options.database = value;
                    break;
                case ROUTE:
                    options.choices.routeKind = OneOf(planning::parseRouteKind(value), "route", value, "listed or best");
                    break;
                case RANGES:
                    options.choices.rangeModel =
                        OneOf(coverage::parseRangeModel(value), "ranges", value, "standard or simulator");
                    break;
                case NAVAIDS:
                    options.choices.navaids = OneOf(coverage::parseNavaids(value), "navaids", value, "vor or vor+ndb");
                    break;
                case COMPARE:
                    options.compare = true;
                    break;
                case MAP_RINGS:
                    options.choices.rings = true;
                    break;
                case FOLLOW:
                    try {
                        simlink::parseLinkAddress(value);
                    } catch (const std::invalid_argument& e) {
                        throw UsageError(std::string("--follow: ") + e.what());
                    }
                    options.follow = value;
                    break;
                case TUNE:
                    options.tune = true;
                    break;
                }
                return true;
            });
        if (options.help || options.version)
            return true;
        if (operands.size() > 2)
            throw UsageError("too many arguments: give one departure and one destination airport");
        if (operands.size() != 2)
            throw UsageError("give a departure and a destination airport");
        options.departure = operands[0];
        options.destination = operands[1];
        if (options.tune && options.follow.empty())
            throw UsageError("--tune tunes the simulator's radios while following: give --follow too");
        if (!options.follow.empty() && options.format != PlanCommandLine::Format::Table &&
            options.format != PlanCommandLine::Format::Json)
            throw UsageError("--follow prints lines of text or, with --format json, JSON objects");
        if (options.compare && options.format == PlanCommandLine::Format::Tsv)
            throw UsageError("--compare prints both routes as a table, or as json with --format json; not as tsv");
        if (options.BestRoute() && options.format == PlanCommandLine::Format::Tsv)
            throw UsageError("--format tsv gives the rows of the listed route; with --route best use table, legs "
                             "or json");
        return true;
    } catch (const UsageError& e) {
        error = e.what();
        return false;
    }
}

std::string PlanUsage()
{
    // Laid out as help2man reads it: the manual page is made from this text.
    return "Usage: meridane-plan [OPTION]... DEPARTURE DESTINATION\n"
           "Plans a route of VOR beacons from DEPARTURE to DESTINATION. Airports are\n"
           "idents (KJFK), IATA codes (JFK) or # and an airport ID (#1234).\n"
           "The navigation database is VORS.MDB in the current directory, else\n"
           "${XDG_DATA_HOME:-~/.local/share}/meridane/VORS.MDB, else the one installed\n"
           "with the program.\n"
           "\n"
           "  --format FORMAT    table (the default), tsv, legs (the legs with magnetic\n"
           "                     courses and radials) or json (the whole plan)\n"
           "  --route-string     print only the ICAO route\n"
           "  --export FILE      write a flight-plan file in the format its extension\n"
           "                     names: .fms X-Plane, .pln MSFS, .fpl Garmin, .gpx GPX,\n"
           "                     .fgfp FlightGear, .json, .txt, .pdf kneeboard navlog;\n"
           "                     may be repeated\n"
           "  --speed KT         true airspeed in knots, 1 to 2000 (110)\n"
           "  --wind DDD/SS      the wind: the true direction it blows from (0 to 360)\n"
           "                     and its speed in knots (0 to 400), as 270/25\n"
           "  --fuel-burn X      fuel used per hour, in any unit: fuel per leg, in total\n"
           "                     and with a 45-minute reserve\n"
           "  --cruise FT        cruise altitude in feet\n"
           "  --paper SIZE       the kneeboard navlog's paper: a5 (the default), a4,\n"
           "                     letter or half-letter\n"
           "  --map FILE         write the route map as .svg or .png\n"
           "  --map-size WxH     the map's size in pixels (" +
           std::to_string(map::MAP_FILE_WIDTH) + "x" + std::to_string(map::MAP_FILE_HEIGHT) +
           "), each side " + std::to_string(map::SMALLEST_MAP_FILE_SIDE) + " to " +
           std::to_string(map::LARGEST_MAP_SIDE) + ",\n"
           "                     at most " + std::to_string(map::LARGEST_MAP_FILE_PIXELS / 1000000) +
           " million in all\n"
           "  --map-rings        draw the route beacons' reception ranges on the map\n"
           "  --route KIND       listed (the default): the route search's chain; best:\n"
           "                     the route with the least distance out of VOR reception,\n"
           "                     then the shortest, with 10 nm more for each leg\n"
           "  --ranges MODEL     standard (the default): the beacons' service volumes\n"
           "                     within the radio horizon; simulator: X-Plane's ranges\n"
           "  --navaids KIND     what the best route may fly by: vor (the default) or\n"
           "                     vor+ndb, NDBs too, each 25 nm dearer than a VOR\n"
           "  --compare          print both routes' distance, legs, uncovered distance\n"
           "                     and time side by side; with --format json both plans\n"
           "  --follow SIM       follow the plan in a running simulator and print a line\n"
           "                     a second until the destination or Ctrl-C: SIM is\n"
           "                     flightgear[:HOST[:PORT]] (its property server, start\n"
           "                     it with --telnet=socket,bi,10,localhost,5401,tcp) or\n"
           "                     xplane[:HOST[:PORT]] (UDP, port 49000); --format json\n"
           "                     prints one JSON object a line\n"
           "  --tune             while following, set NAV1 to each leg's beacon and its\n"
           "                     course as OBS, again at each changeover point\n"
           "  --db PATH          use the navigation database PATH\n"
           "  --report           also write course.txt in the current directory\n"
           "  --stats            print statements, time and beacons on standard error\n"
           "  --version          print the version and the date of the navigation data\n"
           "  -h, --help         print this text\n";
}
