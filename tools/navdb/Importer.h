// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/navdb/NavdbError.h"
#include "tools/navdb/SkippedRows.h"

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace navdb {

// Where a file of the import came from when it was not simply found where
// it is read (a download): the address and the date of its data.
struct SourceOrigin {
    std::string origin;
    std::string date;  // YYYY-MM-DD
};

// Thrown when ImportOptions::cancelled said so; nothing was written.
class ImportCancelled : public NavdbError {
public:
    ImportCancelled() : NavdbError("the import was cancelled") {}
};

struct ImportOptions {
    std::string ourairportsDir;  // airports.csv, runways.csv, navaids.csv, ...
    std::string xplaneNav;       // nav.dat(.gz) for ILS frequencies; empty for none
    bool includeHeliports = false;
    std::string output;          // the database file to create or replace
    // By OurAirports file name ("airports.csv"); a file not named here is
    // described by its path and the date of SNAPSHOT-DATE beside it or its
    // own modification date.
    std::map<std::string, SourceOrigin> origins;
    // Asked between the steps of the import; true ends it with ImportCancelled.
    std::function<bool()> cancelled;
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
