// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/CsvReader.h"

#include "tools/navdb/LineReader.h"
#include "tools/navdb/NavdbError.h"

#include <memory>
#include <type_traits>

#include <zlib.h>

namespace navdb {

namespace {

// zlib passes a plain file through unchanged, so a CSV file reads the same
// whether it was gzip-compressed or not. A damaged or cut-off compressed file
// is an error, never a shorter table.
std::string readWholeFile(const std::string& path)
{
    std::unique_ptr<std::remove_pointer_t<gzFile>, int (*)(gzFile)> file(openCompressedOrPlain(path), &gzclose);
    std::string text;
    char buffer[1 << 16];
    int got = 0;
    while ((got = gzread(file.get(), buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<std::size_t>(got));
    }
    throwIfReadFailed(file.get(), path);
    return text;
}

bool endsField(char c)
{
    return c == ',' || c == '\n' || c == '\r';
}

}  // namespace

CsvReader CsvReader::fromFile(const std::string& path)
{
    return CsvReader(readWholeFile(path), path);
}

CsvReader CsvReader::fromText(std::string text, std::string name)
{
    return CsvReader(std::move(text), std::move(name));
}

CsvReader::CsvReader(std::string text, std::string name)
    : m_text(std::move(text)), m_name(std::move(name))
{
    if (m_text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        m_pos = 3;
    }
}

bool CsvReader::next(CsvRecord& record)
{
    const std::size_t size = m_text.size();
    while (m_pos < size && (m_text[m_pos] == '\n' || m_text[m_pos] == '\r')) {
        if (m_text[m_pos] == '\n' || m_pos + 1 == size || m_text[m_pos + 1] != '\n') {
            ++m_line;
        }
        ++m_pos;
    }
    if (m_pos >= size) {
        return false;
    }

    record.fields.clear();
    record.line = m_line;
    record.unterminated = false;
    record.quotedLineBreak = false;
    std::string field;
    for (;;) {
        field.clear();
        if (m_pos < size && m_text[m_pos] == '"') {
            ++m_pos;
            for (;;) {
                const std::size_t quote = m_text.find('"', m_pos);
                const std::size_t end = quote == std::string::npos ? size : quote;
                for (std::size_t i = m_pos; i < end; ++i) {
                    if (m_text[i] == '\n') {
                        ++m_line;
                    }
                }
                field.append(m_text, m_pos, end - m_pos);
                if (quote == std::string::npos) {
                    m_pos = size;
                    record.unterminated = true;
                    break;
                }
                if (quote + 1 < size && m_text[quote + 1] == '"') {
                    field.push_back('"');
                    m_pos = quote + 2;
                    continue;
                }
                m_pos = quote + 1;
                break;
            }
            // Only text after a line break is another row taken in: an unclosed
            // quote on the last line takes nothing but the final line end.
            const std::size_t lineBreak = field.find('\n');
            if (lineBreak != std::string::npos && field.find_first_not_of("\r\n", lineBreak) != std::string::npos) {
                record.quotedLineBreak = true;
            }
        }
        const std::size_t start = m_pos;
        while (m_pos < size && !endsField(m_text[m_pos])) {
            ++m_pos;
        }
        field.append(m_text, start, m_pos - start);
        record.fields.push_back(field);

        if (m_pos < size && m_text[m_pos] == ',') {
            ++m_pos;
            continue;
        }
        if (m_pos < size && m_text[m_pos] == '\r') {
            ++m_pos;
        }
        if (m_pos < size && m_text[m_pos] == '\n') {
            ++m_pos;
        }
        ++m_line;
        return true;
    }
}

CsvHeader::CsvHeader(CsvReader& reader) : m_file(reader.name())
{
    CsvRecord record;
    if (!reader.next(record)) {
        throw NavdbError(m_file + ": the file is empty, expected a header line");
    }
    m_names = std::move(record.fields);
}

std::size_t CsvHeader::require(std::string_view column) const
{
    if (const auto index = find(column)) {
        return *index;
    }
    throw NavdbError(m_file + ": missing column '" + std::string(column) + "'");
}

std::optional<std::size_t> CsvHeader::find(std::string_view column) const
{
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        if (m_names[i] == column) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace navdb
