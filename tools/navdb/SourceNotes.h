// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace navdb {

class SqliteDb;

// Where one source file of an import came from and how old its data is,
// kept in the database (table data_sources) so that the programs can say
// which data they plan with.
struct SourceNote {
    std::string file;     // "airports.csv", "nav.dat"
    std::string origin;   // the path read, or the address it was downloaded from
    std::string date;     // the data's date, YYYY-MM-DD; empty when unknown
    std::string version;  // the source's own version (nav.dat's data cycle "2013.10"); may be empty
    long long rows = 0;   // data rows read
};

// The date a directory of OurAirports files declares for them in a file
// SNAPSHOT-DATE (one line, YYYY-MM-DD), as the repository's snapshot does; empty
// when there is none or it holds no such date.
std::string snapshotDate(const std::string& directory);

// The UTC date of the file's last modification, YYYY-MM-DD; empty when it
// cannot be examined.
std::string fileDate(const std::string& path);

// The data cycle named in the header of an X-Plane nav.dat ("... data cycle
// 2013.10, ..."); empty when the header names none.
std::string xplaneDataCycle(const std::string& headerLine);

// Creates the table data_sources and writes one row per note, each with
// the time of the import.
void writeSourceNotes(SqliteDb& db, const std::vector<SourceNote>& notes);

}  // namespace navdb
