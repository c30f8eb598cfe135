// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanOptions.h"

#include "base/NumberText.h"
#include "flightplan/PlanCalculation.h"
#include "tools/common/CommandLineOptions.h"

#include <charconv>

namespace {

using tools::UsageError;

PlanOptions::Format FormatNamed(const std::string& value)
{
    if (value == "table")
        return PlanOptions::Format::Table;
    if (value == "tsv")
        return PlanOptions::Format::Tsv;
    if (value == "legs")
        return PlanOptions::Format::Legs;
    if (value == "json")
        return PlanOptions::Format::Json;
    throw UsageError("unknown format '" + value + "': use table, tsv, legs or json");
}

// One side of WIDTHxHEIGHT: digits only, and no more than an int holds.
bool ReadSide(std::string_view text, int& side)
{
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, side);
    return !text.empty() && text.front() != '-' && error == std::errc() && stop == end;
}

void ReadMapSize(const std::string& value, PlanOptions& options)
{
    const std::size_t x = value.find('x');
    int width = 0, height = 0;
    if (x == std::string::npos || !ReadSide(std::string_view(value).substr(0, x), width) ||
        !ReadSide(std::string_view(value).substr(x + 1), height) || width < routemap::kSmallestMapFileSide ||
        height < routemap::kSmallestMapFileSide || width > routemap::kLargestMapSide ||
        height > routemap::kLargestMapSide ||
        static_cast<long long>(width) * height > routemap::kLargestMapFilePixels) {
        throw UsageError("--map-size needs WIDTHxHEIGHT in pixels, " + std::to_string(routemap::kSmallestMapFileSide) +
                         " to " + std::to_string(routemap::kLargestMapSide) + " each and at most " +
                         std::to_string(routemap::kLargestMapFilePixels / 1000000) + " million in all, not '" +
                         value + "'");
    }
    options.mapWidth = width;
    options.mapHeight = height;
}

double ReadSpeed(const std::string& value)
{
    const std::optional<double> knots = base::parseDecimal(value);
    if (!knots || *knots < flightplan::MIN_TRUE_AIRSPEED_KT || *knots > flightplan::MAX_TRUE_AIRSPEED_KT)
        throw UsageError("--speed needs a true airspeed in knots from " +
                         base::formatFixed(flightplan::MIN_TRUE_AIRSPEED_KT, 0) + " to " +
                         base::formatFixed(flightplan::MAX_TRUE_AIRSPEED_KT, 0) + ", not '" + value + "'");
    return *knots;
}

flightplan::Wind ReadWind(const std::string& value)
{
    const std::optional<flightplan::Wind> wind = flightplan::parseWind(value);
    if (!wind)
        throw UsageError("--wind needs DDD/SS, the true direction the wind blows from (0 to 360) and its speed in "
                         "knots (0 to " + base::formatFixed(flightplan::MAX_WIND_SPEED_KT, 0) + "), not '" + value +
                         "'");
    return *wind;
}

// The largest burn taken: beyond it the totals lose their digits.
constexpr double MAX_FUEL_BURN = 1e6;

double ReadFuelBurn(const std::string& value)
{
    const std::optional<double> burn = base::parseDecimal(value);
    if (!burn || *burn < 0.0 || *burn > MAX_FUEL_BURN)
        throw UsageError("--fuel-burn needs the fuel used per hour, a number from 0 to 1000000, not '" + value + "'");
    return *burn == 0.0 ? 0.0 : *burn;  // no "-0" in the figures
}

kneeboard::Paper ReadPaper(const std::string& value)
{
    const std::optional<kneeboard::Paper> paper = kneeboard::parsePaper(value);
    if (!paper)
        throw UsageError("unknown paper '" + value + "': use a5, a4, letter or half-letter");
    return *paper;
}

int ReadCruise(const std::string& value)
{
    const std::optional<double> feet = base::parseDecimal(value);
    if (!feet || *feet < 0.0 || *feet > 60000.0 || *feet != static_cast<int>(*feet))
        throw UsageError("--cruise needs a whole number of feet from 0 to 60000, not '" + value + "'");
    return static_cast<int>(*feet);
}

}  // namespace

bool ParsePlanOptions(int argc, char** argv, PlanOptions& options, std::string& error)
{
    enum {
        kHelp, kStats, kReport, kRouteString, kFormat, kExport, kMap, kMapSize, kSpeed, kCruise, kDb,
        kRoute, kRanges, kCompare, kMapRings, kWind, kFuelBurn, kPaper, kVersion, kNavaids
    };
    static const std::vector<tools::OptionDefinition> definitions{
        {"help", 'h', false},   {"stats", 0, false}, {"report", 0, false}, {"route-string", 0, false},
        {"format", 0, true},    {"export", 0, true}, {"map", 0, true},     {"map-size", 0, true},
        {"speed", 0, true},     {"cruise", 0, true}, {"db", 0, true},      {"route", 0, true},
        {"ranges", 0, true},    {"compare", 0, false}, {"map-rings", 0, false}, {"wind", 0, true},
        {"fuel-burn", 0, true}, {"paper", 0, true}, {"version", 0, false}, {"navaids", 0, true},
    };
    try {
        const std::vector<std::string> operands = tools::parseOptions(
            std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), definitions,
            [&](std::size_t option, const std::string& value) {
                switch (option) {
                case kHelp:
                    options.help = true;
                    return false;
                case kVersion:
                    // Read on: --db names the database it reports on.
                    options.version = true;
                    break;
                case kStats:
                    options.stats = true;
                    break;
                case kReport:
                    options.report = true;
                    break;
                case kRouteString:
                    options.routeString = true;
                    break;
                case kFormat:
                    options.format = FormatNamed(value);
                    break;
                case kExport:
                    options.exports.push_back(value);
                    break;
                case kMap:
                    options.mapFile = value;
                    break;
                case kMapSize:
                    ReadMapSize(value, options);
                    break;
                case kSpeed:
                    options.speedKt = ReadSpeed(value);
                    break;
                case kCruise:
                    options.cruiseFt = ReadCruise(value);
                    break;
                case kWind:
                    options.wind = ReadWind(value);
                    break;
                case kFuelBurn:
                    options.fuelBurn = ReadFuelBurn(value);
                    break;
                case kPaper:
                    options.paper = ReadPaper(value);
                    break;
                case kDb:
                    if (value.empty())
                        throw UsageError("--db needs a value");
                    options.database = value;
                    break;
                case kRoute:
                    if (value != "listed" && value != "best")
                        throw UsageError("unknown route '" + value + "': use listed or best");
                    options.bestRoute = value == "best";
                    break;
                case kRanges: {
                    const std::optional<coverage::RangeModel> model = coverage::parseRangeModel(value);
                    if (!model)
                        throw UsageError("unknown ranges '" + value + "': use standard or simulator");
                    options.ranges = *model;
                    break;
                }
                case kNavaids: {
                    const std::optional<coverage::Navaids> navaids = coverage::parseNavaids(value);
                    if (!navaids)
                        throw UsageError("unknown navaids '" + value + "': use vor or vor+ndb");
                    options.navaids = *navaids;
                    break;
                }
                case kCompare:
                    options.compare = true;
                    break;
                case kMapRings:
                    options.mapRings = true;
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
        if (options.compare && options.format == PlanOptions::Format::Tsv)
            throw UsageError("--compare prints both routes as a table, or as json with --format json; not as tsv");
        if (options.bestRoute && options.format == PlanOptions::Format::Tsv)
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
           std::to_string(routemap::kMapFileWidth) + "x" + std::to_string(routemap::kMapFileHeight) +
           "), each side " + std::to_string(routemap::kSmallestMapFileSide) + " to " +
           std::to_string(routemap::kLargestMapSide) + ",\n"
           "                     at most " + std::to_string(routemap::kLargestMapFilePixels / 1000000) +
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
           "  --db PATH          use the navigation database PATH\n"
           "  --report           also write course.txt in the current directory\n"
           "  --stats            print statements, time and beacons on standard error\n"
           "  --version          print the version and the date of the navigation data\n"
           "  -h, --help         print this text\n";
}
