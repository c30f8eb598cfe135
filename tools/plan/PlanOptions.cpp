#include "PlanOptions.h"

#include "flightplan/NumberText.h"

#include <cstdio>

namespace {

// "--name VALUE" or "--name=VALUE".
bool IsValueOption(const std::string& arg, const std::string& name)
{
    return arg == name || arg.rfind(name + "=", 0) == 0;
}

bool TakeValue(int argc, char** argv, int& i, const std::string& name, std::string& value, std::string& error)
{
    const std::string arg = argv[i];
    if (arg != name) {
        value = arg.substr(name.size() + 1);
        return true;
    }
    if (i + 1 >= argc) {
        error = name + " needs a value";
        return false;
    }
    value = argv[++i];
    return true;
}

}  // namespace

bool ParsePlanOptions(int argc, char** argv, PlanOptions& options, std::string& error)
{
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return true;
        } else if (arg == "--stats") {
            options.stats = true;
        } else if (arg == "--report") {
            options.report = true;
        } else if (arg == "--route-string") {
            options.routeString = true;
        } else if (IsValueOption(arg, "--format")) {
            std::string value;
            if (!TakeValue(argc, argv, i, "--format", value, error))
                return false;
            if (value == "table") {
                options.format = PlanOptions::Format::Table;
            } else if (value == "tsv") {
                options.format = PlanOptions::Format::Tsv;
            } else if (value == "legs") {
                options.format = PlanOptions::Format::Legs;
            } else if (value == "json") {
                options.format = PlanOptions::Format::Json;
            } else {
                error = "unknown format '" + value + "': use table, tsv, legs or json";
                return false;
            }
        } else if (IsValueOption(arg, "--export")) {
            std::string value;
            if (!TakeValue(argc, argv, i, "--export", value, error))
                return false;
            options.exports.push_back(value);
        } else if (IsValueOption(arg, "--map")) {
            if (!TakeValue(argc, argv, i, "--map", options.mapFile, error))
                return false;
        } else if (IsValueOption(arg, "--map-size")) {
            std::string value;
            if (!TakeValue(argc, argv, i, "--map-size", value, error))
                return false;
            int width = 0, height = 0;
            char tail = 0;
            if (std::sscanf(value.c_str(), "%dx%d%c", &width, &height, &tail) != 2 || width < 1 || height < 1 ||
                width > 16384 || height > 16384) {
                error = "--map-size needs WIDTHxHEIGHT in pixels, 1 to 16384 each, not '" + value + "'";
                return false;
            }
            options.mapWidth = width;
            options.mapHeight = height;
        } else if (IsValueOption(arg, "--speed")) {
            std::string value;
            if (!TakeValue(argc, argv, i, "--speed", value, error))
                return false;
            const std::optional<double> knots = flightplan::parseDecimal(value);
            if (!knots || !(*knots > 0.0) || *knots > 2000.0) {
                error = "--speed needs a ground speed in knots above 0, not '" + value + "'";
                return false;
            }
            options.speedKt = *knots;
        } else if (IsValueOption(arg, "--cruise")) {
            std::string value;
            if (!TakeValue(argc, argv, i, "--cruise", value, error))
                return false;
            const std::optional<double> feet = flightplan::parseDecimal(value);
            if (!feet || *feet < 0.0 || *feet > 60000.0 || *feet != static_cast<int>(*feet)) {
                error = "--cruise needs a whole number of feet from 0 to 60000, not '" + value + "'";
                return false;
            }
            options.cruiseFt = static_cast<int>(*feet);
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            error = "unknown option " + arg;
            return false;
        } else {
            if (positional == 0)
                options.departure = arg;
            else if (positional == 1)
                options.destination = arg;
            ++positional;
        }
    }
    if (positional > 2) {
        error = "too many arguments: give one departure and one destination airport";
        return false;
    }
    if (positional != 2) {
        error = "give a departure and a destination airport";
        return false;
    }
    return true;
}
