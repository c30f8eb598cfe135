// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/XplaneIls.h"

#include "base/AsciiText.h"

#include "tools/navdb/LineReader.h"
#include "tools/navdb/NavdbError.h"
#include "tools/navdb/Numbers.h"

#include <cctype>
#include <cstdlib>
#include <vector>

namespace navdb {

std::string normalizeRunwayIdent(std::string_view ident)
{
    ident = trimBlanks(ident);
    std::size_t zeros = 0;
    // Keep a lone "0" and the zero of "0L" wherever a digit follows: only
    // zeros in front of another digit are padding.
    while (zeros + 1 < ident.size() && ident[zeros] == '0' &&
           std::isdigit(static_cast<unsigned char>(ident[zeros + 1])) != 0) {
        ++zeros;
    }
    return base::asciiUpper(ident.substr(zeros));
}

std::string IlsTable::key(std::string_view airport, std::string_view runway)
{
    std::string result = base::asciiUpper(trimBlanks(airport));
    result.push_back(' ');
    result += normalizeRunwayIdent(runway);
    return result;
}

void IlsTable::add(std::string_view airport, std::string_view runway, int rowCode, double mhz)
{
    auto [it, inserted] = m_entries.try_emplace(key(airport, runway), Entry{rowCode, mhz});
    if (!inserted && it->second.rowCode == 5 && rowCode == 4) {
        it->second = Entry{rowCode, mhz};
    }
}

std::optional<double> IlsTable::find(std::string_view airport, std::string_view runway) const
{
    const auto it = m_entries.find(key(airport, runway));
    if (it == m_entries.end()) {
        return std::nullopt;
    }
    return it->second.mhz;
}

namespace {

// The version is the first word of the second header line ("810 Version ...").
int formatVersion(const std::string& headerLine)
{
    return std::atoi(headerLine.c_str());
}

}  // namespace

IlsTable readXplaneIls(const std::string& path, SkippedRows& skipped)
{
    LineReader reader(path);
    IlsTable table;
    std::string line;
    // Without these checks an empty, cut or foreign file would read as a
    // nav.dat without any ILS, and the import would quietly lose them all.
    if (!reader.next(line)) {
        throw NavdbError("cannot read " + path + ": the file is empty");
    }
    // The first line is I or A (some copies leave it blank), the second
    // begins with the format version.
    const std::string foreign =
        "cannot read " + path + ": not an X-Plane nav.dat (it does not begin with the line I or A and the version)";
    const std::string truncated = "cannot read " + path + ": the file ends before its closing line 99";
    const std::string_view byteOrder = trimBlanks(line);
    if (!byteOrder.empty() && byteOrder != "I" && byteOrder != "A") {
        throw NavdbError(foreign);
    }
    if (!reader.next(line)) {
        throw NavdbError(truncated);
    }
    const int version = formatVersion(line);
    if (version <= 0) {
        throw NavdbError(foreign);
    }
    const std::size_t runwayColumn = version >= 1100 ? 10 : 9;  // 0-based

    while (reader.next(line)) {
        const auto fields = base::splitWhitespace(line, runwayColumn + 1);
        if (fields.empty()) {
            continue;
        }
        if (fields[0] == "99") {
            return table;
        }
        if (fields[0] != "4" && fields[0] != "5") {
            continue;
        }
        const int rowCode = fields[0] == "4" ? 4 : 5;
        if (fields.size() <= runwayColumn) {
            skipped.add(reader.lineNumber(), "ILS row has " + std::to_string(fields.size()) +
                                                 " fields, expected at least " +
                                                 std::to_string(runwayColumn + 1));
            continue;
        }
        const auto tensOfKhz = parseWholeNumber(fields[4]);
        if (!tensOfKhz || *tensOfKhz <= 0) {
            skipped.add(reader.lineNumber(), "bad frequency '" + std::string(fields[4]) + "'");
            continue;
        }
        table.add(fields[8], fields[runwayColumn], rowCode, static_cast<double>(*tensOfKhz) / 100.0);
    }
    throw NavdbError(truncated);
}

}  // namespace navdb
