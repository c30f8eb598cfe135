// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/SourceCheck.h"

#include "tools/navdb/CsvReader.h"
#include "tools/navdb/NavdbError.h"
#include "update/UpdateError.h"

#include <cctype>

namespace update {

const char* const OUR_AIRPORTS_FILES[6] = {"countries.csv", "regions.csv", "airport-frequencies.csv",
                                          "airports.csv",  "runways.csv", "navaids.csv"};

const std::map<std::string, std::size_t>& snapshotRows()
{
    // Counted from navdata/ourairports; a test keeps these in step with it.
    static const std::map<std::string, std::size_t> rows{
        {"countries.csv", 249},   {"regions.csv", 3987},  {"airport-frequencies.csv", 30340},
        {"airports.csv", 69899},  {"runways.csv", 48184}, {"navaids.csv", 11008},
    };
    return rows;
}

std::size_t checkDownloadedCsv(const std::string& path, const std::string& name)
{
    try {
        navdb::CsvReader reader = navdb::CsvReader::fromFile(path);
        navdb::CsvRecord record;
        if (!reader.next(record)) {
            throw UpdateError(name + ": the server sent an empty file");
        }
        const std::string first = record.fields.empty() ? std::string() : record.fields.front();
        const auto start = first.find_first_not_of(" \t\r\n");
        if (start != std::string::npos && first[start] == '<') {
            throw UpdateError(name + ": the server sent a web page, not the CSV file (an error page or a login)");
        }
        std::size_t rows = 0;
        while (reader.next(record)) {
            ++rows;
        }
        return rows;
    } catch (const navdb::NavdbError& error) {
        throw UpdateError(name + ": " + error.what());
    }
}

}  // namespace update
