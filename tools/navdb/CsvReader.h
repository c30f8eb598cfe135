// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace navdb {

// One CSV record and the line of the file it starts on, for messages.
struct CsvRecord {
    std::vector<std::string> fields;
    std::size_t line = 0;
    // A quoted field ran to the end of the input: the record swallowed
    // everything after it and must not be trusted.
    bool unterminated = false;
    // A quoted field held a line break, so the record took in following
    // lines. Together with a wrong field count this is the mark of a stray
    // quote, not of a multi-line text.
    bool quotedLineBreak = false;
};

// Reads RFC 4180 text: fields separated by commas, optionally enclosed in
// double quotes, "" inside quotes for one quote, commas and line breaks
// allowed inside quotes, CRLF or LF line ends. A field's text is never
// interpreted, so "NA" stays "NA" and an empty field stays empty. Blank lines
// are skipped. A leading UTF-8 byte order mark is dropped.
//
// Deviations from strict RFC 4180 are read leniently rather than rejected: a
// quote inside an unquoted field, or text after a closing quote, is kept as
// written. Published files sometimes contain both, and losing the row would
// cost more than keeping the odd character.
class CsvReader {
public:
    // Reads the whole file; throws NavdbError naming it when it cannot be read.
    static CsvReader fromFile(const std::string& path);
    // name is only used in messages.
    static CsvReader fromText(std::string text, std::string name);

    const std::string& name() const { return m_name; }

    // The next record, or false at the end of the input.
    bool next(CsvRecord& record);

private:
    CsvReader(std::string text, std::string name);

    std::string m_text;
    std::string m_name;
    std::size_t m_pos = 0;
    std::size_t m_line = 1;
};

// A file's header row: finds columns by name so that a reordered or extended
// file reads the same.
class CsvHeader {
public:
    // Reads the first record of reader as the header; an empty file is an error.
    explicit CsvHeader(CsvReader& reader);

    // Index of the column; throws NavdbError naming the file and the column.
    std::size_t require(std::string_view column) const;
    // Index of a column the file may lack.
    std::optional<std::size_t> find(std::string_view column) const;

    std::size_t size() const { return m_names.size(); }

private:
    std::vector<std::string> m_names;
    std::string m_file;
};

}  // namespace navdb
