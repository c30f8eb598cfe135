#pragma once

#include <string>

struct PlanOptions {
    enum class Format { Table, Tsv };
    Format format = Format::Table;
    bool stats = false;
    bool report = false;
    bool help = false;
    std::string departure;
    std::string destination;
};

// Parses the command line; false with a message in `error` when it is wrong.
// --help (or -h) wins over everything after it.
bool ParsePlanOptions(int argc, char** argv, PlanOptions& options, std::string& error);

inline constexpr const char PLAN_USAGE[] =
    "usage: meridane-plan [--help] [--format table|tsv] [--stats] [--report] DEPARTURE DESTINATION\n"
    "  DEPARTURE, DESTINATION: airport idents (KJFK) or # and an airport ID (#1234)\n"
    "  Works on VORS.MDB in the current directory. --report also writes course.txt there.\n";
