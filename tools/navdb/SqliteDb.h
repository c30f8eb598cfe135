// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/NonCopyable.h"

#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace navdb {

// An SQLite connection that closes itself. Every failure throws NavdbError
// with SQLite's message, so the import can unwind and remove its temp file.
class SqliteDb : base::NonCopyable {
public:
    // Opens (and creates) the database file.
    explicit SqliteDb(const std::string& path);
    ~SqliteDb();

    void exec(const std::string& sql);
    // Closes now and reports a failure, which the destructor cannot.
    void close();

    sqlite3* handle() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
    std::string m_path;
};

// A prepared statement for repeated inserts: bind by position (1-based),
// step once, the binding is reset for the next row.
class Statement : base::NonCopyable {
public:
    Statement(SqliteDb& db, const std::string& sql);
    ~Statement();

    Statement& bind(int index, std::string_view text);
    Statement& bind(int index, long long value);
    Statement& bind(int index, double value);
    Statement& bind(int index, std::optional<long long> value);  // NULL when empty
    Statement& bind(int index, std::optional<double> value);     // NULL when empty

    // Runs an INSERT: exactly one step that must finish the statement.
    void run();

private:
    void check(int rc);

    SqliteDb& m_db;
    sqlite3_stmt* m_stmt = nullptr;
};

}  // namespace navdb
