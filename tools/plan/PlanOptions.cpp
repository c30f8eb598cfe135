#include "PlanOptions.h"

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
        } else if (arg == "--format" || arg.rfind("--format=", 0) == 0) {
            std::string value;
            if (arg == "--format") {
                if (i + 1 >= argc) {
                    error = "--format needs a value: table or tsv";
                    return false;
                }
                value = argv[++i];
            } else {
                value = arg.substr(9);
            }
            if (value == "table") {
                options.format = PlanOptions::Format::Table;
            } else if (value == "tsv") {
                options.format = PlanOptions::Format::Tsv;
            } else {
                error = "unknown format '" + value + "': use table or tsv";
                return false;
            }
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
