// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Importer.h"
#include "tools/common/CommandLineOptions.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace navdb {

using tools::kExitFailure;
using tools::kExitOk;
using tools::kExitUsage;

struct CommandLine {
    ImportOptions options;
    bool help = false;
};

// Parses the arguments after the program name. Options take their value as
// the next argument or after '=' (--output=VORS.MDB). Throws UsageError naming
// the offending option.
CommandLine parseCommandLine(const std::vector<std::string>& args);

std::string usageText(const std::string& program);

// Writes the table counts and timing to out, skipped rows to err.
void printReport(const ImportResult& result, bool withIls, std::ostream& out, std::ostream& err);

// The whole program: parse, import, report. Returns the exit status:
// 0 on success, 2 for a wrong command line, 1 for any other failure, also
// when the report or usage text cannot be written to out.
int runNavdb(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace navdb
