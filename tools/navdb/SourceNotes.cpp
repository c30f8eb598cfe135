// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/SourceNotes.h"

#include "tools/navdb/SqliteDb.h"

#include <cctype>
#include <ctime>
#include <fstream>
#include <sys/stat.h>

namespace navdb {

namespace {

bool isIsoDate(const std::string& text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return false;
    }
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            return false;
        }
    }
    return true;
}

// A moment in UTC as strftime writes it; "" for one gmtime cannot take.
std::string utcText(std::time_t when, const char* format)
{
    std::tm parts{};
    if (::gmtime_r(&when, &parts) == nullptr) {
        return {};
    }
    char text[32];
    return std::strftime(text, sizeof text, format, &parts) > 0 ? text : std::string();
}

std::string utcDate(std::time_t when)
{
    return utcText(when, "%Y-%m-%d");
}

std::string utcTime(std::time_t when)
{
    return utcText(when, "%Y-%m-%dT%H:%M:%SZ");
}

}  // namespace

std::string snapshotDate(const std::string& directory)
{
    std::ifstream in(directory + "/SNAPSHOT-DATE");
    std::string line;
    if (!in || !std::getline(in, line)) {
        return {};
    }
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) {
        line.pop_back();
    }
    return isIsoDate(line) ? line : std::string();
}

std::string fileDate(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? utcDate(info.st_mtime) : std::string();
}

std::string xplaneDataCycle(const std::string& headerLine)
{
    static const std::string marker = "data cycle ";
    const std::size_t at = headerLine.find(marker);
    if (at == std::string::npos) {
        return {};
    }
    const std::size_t start = at + marker.size();
    std::size_t end = start;
    while (end < headerLine.size() &&
           (std::isdigit(static_cast<unsigned char>(headerLine[end])) || headerLine[end] == '.')) {
        ++end;
    }
    return headerLine.substr(start, end - start);
}

void writeSourceNotes(SqliteDb& db, const std::vector<SourceNote>& notes)
{
    db.exec("CREATE TABLE data_sources (File TEXT NOT NULL, Origin TEXT NOT NULL, DataDate TEXT,"
            " Version TEXT, Rows INTEGER NOT NULL, Imported TEXT NOT NULL);");
    const std::string imported = utcTime(std::time(nullptr));
    Statement insert(db, "INSERT INTO data_sources VALUES (?, ?, NULLIF(?, ''), NULLIF(?, ''), ?, ?)");
    for (const SourceNote& note : notes) {
        insert.bind(1, note.file)
            .bind(2, note.origin)
            .bind(3, note.date)
            .bind(4, note.version)
            .bind(5, note.rows)
            .bind(6, imported)
            .run();
    }
}

}  // namespace navdb
