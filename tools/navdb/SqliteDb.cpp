// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/SqliteDb.h"

#include "tools/navdb/NavdbError.h"

#include <sqlite3.h>

#include <cstring>

namespace navdb {

namespace {

// SQLite says "disk I/O error" for a full disk as for a broken one; the
// system's own word tells the user which.
std::string withSystemCause(sqlite3* db, std::string message)
{
    const int extended = sqlite3_extended_errcode(db);
    const int code = extended & 0xff;
    const int cause = sqlite3_system_errno(db);
    if ((code == SQLITE_IOERR || code == SQLITE_FULL || code == SQLITE_CANTOPEN) && cause != 0) {
        message += std::string(" (") + std::strerror(cause) + ")";
    } else if (extended == SQLITE_IOERR_WRITE || code == SQLITE_FULL) {
        // A write that came up short carries no errno.
        message += " (the disk is full or the file has grown past its limit)";
    }
    return message;
}

}  // namespace

SqliteDb::SqliteDb(const std::string& path) : m_path(path)
{
    const int rc = sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        const std::string message = m_db != nullptr ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc);
        sqlite3_close(m_db);
        m_db = nullptr;
        throw NavdbError("cannot create database " + path + ": " + message);
    }
}

SqliteDb::~SqliteDb()
{
    if (m_db != nullptr) {
        sqlite3_close(m_db);
    }
}

void SqliteDb::exec(const std::string& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = withSystemCause(m_db, error != nullptr ? error : sqlite3_errmsg(m_db));
        sqlite3_free(error);
        throw NavdbError("database " + m_path + ": " + message + " (in: " + sql + ")");
    }
}

void SqliteDb::close()
{
    if (m_db == nullptr) {
        return;
    }
    const int rc = sqlite3_close(m_db);
    if (rc != SQLITE_OK) {
        throw NavdbError("cannot close database " + m_path + ": " + sqlite3_errstr(rc));
    }
    m_db = nullptr;
}

Statement::Statement(SqliteDb& db, const std::string& sql) : m_db(db)
{
    if (sqlite3_prepare_v2(db.handle(), sql.c_str(), -1, &m_stmt, nullptr) != SQLITE_OK) {
        throw NavdbError(std::string("cannot prepare '") + sql + "': " + sqlite3_errmsg(db.handle()));
    }
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

void Statement::check(int rc)
{
    if (rc != SQLITE_OK) {
        throw NavdbError(std::string("database: ") + sqlite3_errmsg(m_db.handle()) + " (in: " +
                         sqlite3_sql(m_stmt) + ")");
    }
}

Statement& Statement::bind(int index, std::string_view text)
{
    // A null pointer would bind SQL NULL, which the NOT NULL text columns
    // refuse; an empty text must stay ''.
    const char* data = text.data() != nullptr ? text.data() : "";
    check(sqlite3_bind_text(m_stmt, index, data, static_cast<int>(text.size()), SQLITE_TRANSIENT));
    return *this;
}

Statement& Statement::bind(int index, long long value)
{
    check(sqlite3_bind_int64(m_stmt, index, value));
    return *this;
}

Statement& Statement::bind(int index, double value)
{
    check(sqlite3_bind_double(m_stmt, index, value));
    return *this;
}

Statement& Statement::bind(int index, std::optional<long long> value)
{
    check(value ? sqlite3_bind_int64(m_stmt, index, *value) : sqlite3_bind_null(m_stmt, index));
    return *this;
}

Statement& Statement::bind(int index, std::optional<double> value)
{
    check(value ? sqlite3_bind_double(m_stmt, index, *value) : sqlite3_bind_null(m_stmt, index));
    return *this;
}

void Statement::run()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc != SQLITE_DONE) {
        const std::string message = withSystemCause(m_db.handle(), sqlite3_errmsg(m_db.handle()));
        sqlite3_reset(m_stmt);
        throw NavdbError("database: " + message + " (in: " + sqlite3_sql(m_stmt) + ")");
    }
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

}  // namespace navdb
