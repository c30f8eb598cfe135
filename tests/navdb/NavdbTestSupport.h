// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace navdb::test {

inline std::string fixtureDir(const std::string& name)
{
    return std::string(MERIDANE_TEST_DATA_DIR) + "/navdb/fixtures/" + name;
}

// A fresh directory under the build tree, removed with everything in it.
class TempDir {
public:
    TempDir()
    {
        const auto base = std::filesystem::path(MERIDANE_BINARY_DIR) / "navdb-test-tmp";
        std::filesystem::create_directories(base);
        std::string pattern = (base / "XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed in " + base.string());
        }
        m_path = pattern;
    }
    ~TempDir() { std::filesystem::remove_all(m_path); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string path() const { return m_path.string(); }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_path)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

private:
    std::filesystem::path m_path;
};

inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// Damages a copied file: replaces the first occurrence of from (the last one
// with fromEnd) by to. A missing from throws rather than edit nothing.
inline void editFile(const std::string& path, const std::string& from, const std::string& to, bool fromEnd = false)
{
    std::string text = readFile(path);
    text.replace(fromEnd ? text.rfind(from) : text.find(from), from.size(), to);
    writeFile(path, text);
}

// Copies a fixture directory so a test can damage one file of it.
inline void copyFixture(const std::string& name, const std::string& to)
{
    std::filesystem::copy(fixtureDir(name), to, std::filesystem::copy_options::recursive);
}

// Rows of a query as SQLite renders them as text, the way the planner reads
// them through its driver; NULL shows as "NULL".
using Rows = std::vector<std::vector<std::string>>;

inline Rows query(const std::string& database, const std::string& sql)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + database);
    }
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
        const std::string message = sqlite3_errmsg(db);
        sqlite3_close(db);
        throw std::runtime_error(message + " in " + sql);
    }
    Rows rows;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        std::vector<std::string> row;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            const unsigned char* text = sqlite3_column_text(stmt, i);
            row.push_back(text != nullptr ? reinterpret_cast<const char*>(text) : "NULL");
        }
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rows;
}

// The single value of a one-row, one-column query.
inline std::string queryValue(const std::string& database, const std::string& sql)
{
    const Rows rows = query(database, sql);
    if (rows.size() != 1 || rows[0].size() != 1) {
        throw std::runtime_error("expected one value from " + sql + ", got " + std::to_string(rows.size()) +
                                 " rows");
    }
    return rows[0][0];
}

}  // namespace navdb::test
