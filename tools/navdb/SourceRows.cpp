// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/SourceRows.h"

#include "base/AsciiText.h"

#include "tools/navdb/Numbers.h"

#include <cctype>

namespace navdb {

std::string upperTrimmed(std::string_view text)
{
    return base::asciiUpper(trimBlanks(text));
}

void skipBadField(CsvSource& source, const CsvRecord& record, std::size_t column, const char* what)
{
    source.skipped->add(record.line, std::string("bad ") + what + " '" + record.fields[column] + "'");
}

std::optional<Position> readPosition(CsvSource& source, const CsvRecord& record, std::size_t latColumn,
                                     std::size_t lonColumn)
{
    const auto latitude = splitCoordinate(record.fields[latColumn], Axis::Latitude);
    if (!latitude) {
        skipBadField(source, record, latColumn, "latitude");
        return std::nullopt;
    }
    const auto longitude = splitCoordinate(record.fields[lonColumn], Axis::Longitude);
    if (!longitude) {
        skipBadField(source, record, lonColumn, "longitude");
        return std::nullopt;
    }
    const auto latitudeDegrees = parseNumber(record.fields[latColumn]);
    const auto longitudeDegrees = parseNumber(record.fields[lonColumn]);
    if (!latitudeDegrees || !longitudeDegrees) {
        source.skipped->add(record.line,
                            "bad position '" + record.fields[latColumn] + "', '" + record.fields[lonColumn] + "'");
        return std::nullopt;
    }
    return Position{*latitude, *longitude, *latitudeDegrees, *longitudeDegrees};
}

void bindPosition(Statement& insert, int first, const Position& position)
{
    insert.bind(first, std::string_view(&position.latitude.direction, 1))
        .bind(first + 1, static_cast<long long>(position.latitude.major))
        .bind(first + 2, position.latitude.minor)
        .bind(first + 3, std::string_view(&position.longitude.direction, 1))
        .bind(first + 4, static_cast<long long>(position.longitude.major))
        .bind(first + 5, position.longitude.minor);
}

bool readOptionalWhole(CsvSource& source, const CsvRecord& record, std::size_t column, const char* what,
                       std::optional<long long>& value)
{
    value.reset();
    const std::string& text = record.fields[column];
    if (trimBlanks(text).empty()) {
        return true;
    }
    value = parseWholeNumber(text);
    if (!value) {
        skipBadField(source, record, column, what);
    }
    return value.has_value();
}

}  // namespace navdb
