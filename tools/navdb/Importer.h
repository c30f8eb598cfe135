// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SkippedRows.h"

#include <cstddef>
#include <string>
#include <vector>

namespace navdb {

struct ImportOptions {
    std::string ourairportsDir;  // airports.csv, runways.csv, navaids.csv, ...
    std::string xplaneNav;       // nav.dat(.gz) for ILS frequencies; empty for none
    bool includeHeliports = false;
    std::string output;          // the database file to create or replace
};

struct TableCounts {
    std::size_t regions = 0;
    std::size_t countries = 0;
    std::size_t airports = 0;
    std::size_t runways = 0;
    std::size_t navs = 0;
};

struct ImportResult {
    TableCounts rows;
    std::size_t runwayEndsWithIls = 0;
    // One entry per file read, in reading order, also when nothing was skipped.
    std::vector<SkippedRows> skipped;
    double seconds = 0.0;
};

// The path of an OurAirports file in directory: name itself ("airports.csv")
// when present, else its gzip-compressed copy (name + ".gz") when present,
// else name, so that a message about the missing file names the plain one.
std::string ourairportsFile(const std::string& directory, const std::string& name);

// Builds the navigation database from the OurAirports files (and nav.dat when
// given) and puts it at options.output. Either the whole database is written
// or, on a NavdbError, nothing changes: an existing output stays as it was and
// no temporary file is left behind. Malformed rows do not fail the import;
// they are counted in the result.
ImportResult importNavigationData(const ImportOptions& options);

}  // namespace navdb
