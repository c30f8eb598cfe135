// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/ProtectedFiles.h"
#include "data/DatabaseFileWatch.h"

#include <sql.h>
#include <sqlext.h>

#include <cstdint>
#include <optional>
#include <string>

// The one read-only connection to the navigation database. Record sets
// (Recordset.h) run their statements on it; several may be active at once.
class CDatabase {
public:
    enum OpenOptions : unsigned {
        openExclusive = 0x0002,
        openReadOnly = 0x0004,
        useCursorLib = 0x0008,
        noOdbcDialog = 0x0010,
    };

    CDatabase();
    ~CDatabase();
    CDatabase(const CDatabase&) = delete;
    CDatabase& operator=(const CDatabase&) = delete;

    // Open(no data source name, not exclusive, read-only, connect, cursor
    // library) is OpenEx(connect without "ODBC;", openReadOnly|useCursorLib).
    // Returns false only when the driver's completion dialog was cancelled;
    // every other failure throws CDBException, among them a DBQ file that is
    // not a regular file holding the navigation tables.
    bool Open(const char* lpszDSN, bool bExclusive, bool bReadOnly,
              const std::string& strConnect, bool bUseCursorLib = true);
    bool OpenEx(const std::string& strConnect, unsigned options);
    void Close();
    bool IsOpen() const { return m_hdbc != SQL_NULL_HDBC; }

    // Opens the connection again with the text of the last Open, for a record
    // set that finds it closed. False when that fails.
    bool Reconnect();

    // The database file this connection reads, while it is as the
    // connection first found it; false for a connection whose file was
    // changed since, or that names no file of its own.
    bool FileIdentity(DatabaseFileIdentity& identity) const { return m_fileWatch.Identity(identity); }

    // Statements executed on this connection so far.
    std::uint64_t GetStatementCount() const { return m_statementCount; }

    unsigned long m_dwLoginTimeout = 15;
    unsigned long m_dwQueryTimeout = 15;

private:
    friend class CRecordset;

    bool Connect(const std::string& strConnect, unsigned options, bool checkTables);
    // A statement handle for a record set, and its release. The first
    // statement of an idle connection opens the connection anew when its
    // file was written in place since (see ReadOnlyUri in Database.cpp).
    SQLHSTMT AllocStatement();
    void FreeStatement(SQLHSTMT hstmt);
    void CountStatement() { ++m_statementCount; }
    // The driver refused the query time-out once: it is not offered again.
    bool m_bQueryTimeoutRefused = false;

    SQLHDBC m_hdbc = SQL_NULL_HDBC;
    std::string m_strConnect;  // as given, with "ODBC;"
    unsigned m_options = 0;
    std::uint64_t m_statementCount = 0;
    unsigned m_activeStatements = 0;
    DatabaseFileWatch m_fileWatch;
    // While connected, no output of this process may take the file's place.
    std::optional<base::ProtectedFile> m_protection;
};

// Throws CDBException with the diagnostics of a failed ODBC call.
[[noreturn]] void ThrowOdbcError(SQLSMALLINT handleType, SQLHANDLE handle);
