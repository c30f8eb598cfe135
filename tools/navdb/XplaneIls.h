// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/navdb/SkippedRows.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace navdb {

// Runway idents are compared without leading zeros and without case, because
// the sources disagree on both: OurAirports writes 04L where X-Plane writes 4L
// and the reverse. "04L" → "4L", "09" → "9", "H1" and "N" stay as they are.
std::string normalizeRunwayIdent(std::string_view ident);

// Localizer frequencies per runway end, from the ILS (code 4) and
// localizer-only (code 5) rows of an X-Plane nav.dat.
class IlsTable {
public:
    // A full ILS wins over a localizer-only row for the same runway end;
    // otherwise the first row in file order stays.
    void add(std::string_view airport, std::string_view runway, int rowCode, double mhz);

    std::optional<double> find(std::string_view airport, std::string_view runway) const;

    std::size_t size() const { return m_entries.size(); }

private:
    struct Entry {
        int rowCode;
        double mhz;
    };
    static std::string key(std::string_view airport, std::string_view runway);

    std::unordered_map<std::string, Entry> m_entries;
};

// Reads nav.dat or nav.dat.gz. The first two lines are the header (I, A or
// blank, then the version); the line "99" ends the data. A file that is
// empty, has another header or lacks the "99" throws NavdbError. Rows 4 and 5 carry the frequency in tens of kHz in
// column 5 (11010 → 110.10 MHz), the airport in column 9 and the runway in
// column 10; from format 1100 on a region code precedes the runway, which
// moves it to column 11. ILS rows that cannot be read are added to skipped;
// all other rows are not looked at.
IlsTable readXplaneIls(const std::string& path, SkippedRows& skipped);

}  // namespace navdb
