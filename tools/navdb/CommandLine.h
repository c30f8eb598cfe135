// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/navdb/Importer.h"
#include "tools/common/CommandLineOptions.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace navdb {

using tools::EXIT_FAILED;
using tools::EXIT_OK;
using tools::EXIT_USAGE;

struct CommandLine {
    ImportOptions options;
    bool help = false;
    // --update: download the OurAirports files instead of reading ourairportsDir;
    // options.output may be empty then (the user's database).
    bool update = false;
    std::string sourceUrl;     // --source-url; empty for the default
    bool force = false;        // --force
    long timeoutSeconds = 30;  // --timeout
};

// Parses the arguments after the program name. Options take their value as
// the next argument or after '=' (--output=VORS.MDB). Throws UsageError naming
// the offending option.
CommandLine parseCommandLine(const std::vector<std::string>& args);

std::string usageText(const std::string& program);

// Writes the table counts and timing to out, skipped rows to err.
void printReport(const ImportResult& result, bool withIls, std::ostream& out, std::ostream& err);

// meridane-navdb --update: download, check, import, report; returns the exit
// status. Ctrl-C stops it cleanly.
int runUpdate(const CommandLine& commandLine, const std::string& program, std::ostream& out, std::ostream& err);

// The whole program: parse, import, report. Returns the exit status:
// 0 on success, 2 for a wrong command line, 1 for any other failure, also
// when the report or usage text cannot be written to out.
int runNavdb(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace navdb
