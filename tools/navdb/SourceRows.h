// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/navdb/Coordinates.h"
#include "tools/navdb/CsvReader.h"
#include "tools/navdb/NavdbError.h"
#include "tools/navdb/SkippedRows.h"
#include "tools/navdb/SqliteDb.h"

#include <optional>
#include <string>
#include <string_view>

namespace navdb {

// Reading the rows of the OurAirports files: the file with its checked
// header, and the fields every table takes alike.

// One OurAirports file, read and its header checked before any row is
// imported, so a missing file or column fails the import at once.
struct CsvSource {
    CsvReader reader;
    CsvHeader header;
    SkippedRows* skipped;
    std::size_t rows = 0;  // data rows read, malformed ones included

    CsvSource(const std::string& path, SkippedRows& skippedRows)
        : reader(CsvReader::fromFile(path)), header(reader), skipped(&skippedRows)
    {
    }

    std::size_t column(std::string_view name) const { return header.require(name); }

    // Calls handle(record) for each data row that has as many fields as the
    // header; other rows are counted as skipped. A malformed record whose
    // quoted field ran over line breaks swallowed rows that follow it, and
    // how many nobody can tell: that fails the import (NavdbError naming the
    // file and the line the record began on) rather than lose them quietly.
    template <class Handle>
    void forEachRow(Handle&& handle)
    {
        CsvRecord record;
        while (reader.next(record)) {
            ++rows;
            const bool malformed = record.unterminated || record.fields.size() != header.size();
            if (malformed && record.quotedLineBreak) {
                throw NavdbError(reader.name() + ":" + std::to_string(record.line) +
                                 ": a quoted field runs over line breaks into a malformed record (" +
                                 (record.unterminated ? std::string("its quote is never closed")
                                                      : std::to_string(record.fields.size()) + " fields, expected " +
                                                            std::to_string(header.size())) +
                                 "), so the rest of the file cannot be trusted");
            }
            if (record.unterminated) {
                skipped->add(record.line, "quoted field not closed before the end of the file");
            } else if (record.fields.size() != header.size()) {
                skipped->add(record.line, std::to_string(record.fields.size()) + " fields, expected " +
                                              std::to_string(header.size()));
            } else {
                handle(record);
            }
        }
    }
};

// The trimmed text in capitals, for codes and types compared as such.
std::string upperTrimmed(std::string_view text);

// A row's position: as the database stores it (hemisphere, whole degrees,
// hundredths) and in decimal degrees as the source writes it.
struct Position {
    SplitCoordinate latitude;
    SplitCoordinate longitude;
    double latitudeDegrees = 0.0;
    double longitudeDegrees = 0.0;
};

// Counts a row as skipped for the field in column: "bad <what> '<field>'".
void skipBadField(CsvSource& source, const CsvRecord& record, std::size_t column, const char* what);

// A row's position; nullopt, with the row counted as skipped and why, for a
// latitude or longitude that is no number or out of range.
std::optional<Position> readPosition(CsvSource& source, const CsvRecord& record, std::size_t latColumn,
                                     std::size_t lonColumn);

// Binds the six position columns starting at first.
void bindPosition(Statement& insert, int first, const Position& position);

// A row's whole number in column: empty is unknown; anything else must be a
// whole number, or the row is counted as skipped ("bad <what> '<field>'")
// and the answer is false.
bool readOptionalWhole(CsvSource& source, const CsvRecord& record, std::size_t column, const char* what,
                       std::optional<long long>& value);

}  // namespace navdb
