// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Database.h"

#include "base/ProtectedFiles.h"

#include "data/DBException.h"
#include "data/NavigationSchema.h"
#include "data/OdbcDriverSetup.h"
#include "data/SqliteLibrarySetup.h"

#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// One ODBC environment for the whole process, freed at exit.
class OdbcEnvironment {
public:
    static SQLHENV Get(const std::string& driverName)
    {
        static OdbcEnvironment env(driverName);
        if (env.m_henv == SQL_NULL_HENV)
            throw CDBException("The ODBC driver manager could not allocate an environment.");
        return env.m_henv;
    }

private:
    explicit OdbcEnvironment(const std::string& driverName)
    {
        ConfigureSqliteLibrary();
        EnsureDriverRegistered(driverName);
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_henv)))
            m_henv = SQL_NULL_HENV;
        else
            SQLSetEnvAttr(m_henv, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    }
    ~OdbcEnvironment()
    {
        if (m_henv != SQL_NULL_HENV)
            SQLFreeHandle(SQL_HANDLE_ENV, m_henv);
    }
    SQLHENV m_henv = SQL_NULL_HENV;
};

std::string CurrentDirectory()
{
    char buf[PATH_MAX];
    return getcwd(buf, sizeof buf) ? std::string(buf) : std::string(".");
}

// An SQLite URI naming a file, for the read-only mode the driver itself
// does not enforce. The file is also declared immutable: otherwise SQLite
// locks and unlocks the file, looks for a journal and rereads the header
// around every statement (eight system calls, a third of a route search's
// time). The importer and the launcher replace the database by rename,
// which leaves an open connection on the file it opened; a file written in
// place all the same is noticed by the connection's DatabaseFileWatch,
// which looks once per operation (when no record set is open) instead of
// once per statement, and opens the connection anew.
std::string ReadOnlyUri(const std::string& path)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string uri = "file:";
    for (unsigned char c : path) {
        if (std::isalnum(c) || std::strchr("/-._~", c)) {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += hex[c >> 4];
            uri += hex[c & 15];
        }
    }
    return uri + "?mode=ro&immutable=1";
}

// The database file a connection text names by DBQ, when this layer looks
// after it (a text that gives the driver's own Database keyword is handed
// over as it is); "" otherwise.
std::string DatabaseFileOf(const std::string& connect)
{
    if (!ConnectKeyword(connect, "Database").empty())
        return {};
    return ConnectKeyword(connect, "DBQ");
}

[[noreturn]] void ThrowCannotOpen(const std::string& file, const std::string& cause)
{
    std::string where = file.find('/') == 0 ? std::string() : " in " + CurrentDirectory();
    throw CDBException("Cannot open the navigation database " + file + where + ": " + cause + ".");
}

const char* FileTypeName(mode_t mode)
{
    if (S_ISFIFO(mode))
        return "a named pipe (FIFO)";
    if (S_ISSOCK(mode))
        return "a socket";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    return "a special file";
}

// Only a regular file, after links, can be a database: the driver would wait
// forever on a FIFO, and an empty file would open as an empty database.
void CheckDatabaseFile(const std::string& file)
{
    struct stat st;
    if (stat(file.c_str(), &st) != 0)
        ThrowCannotOpen(file, std::strerror(errno));
    if (S_ISDIR(st.st_mode))
        ThrowCannotOpen(file, std::strerror(EISDIR));
    if (!S_ISREG(st.st_mode))
        ThrowCannotOpen(file, std::string("it is ") + FileTypeName(st.st_mode) + ", not a database file");
    if (access(file.c_str(), R_OK) != 0)
        ThrowCannotOpen(file, std::strerror(errno));
    if (st.st_size == 0)
        ThrowCannotOpen(file, "the file is empty, not a navigation database");
}

// The local driver knows the database file as Database, not DBQ, and would
// create an empty database for a file that is not there. Hand the file over
// under the driver's own keyword with creation switched off (and, for a
// read-only connection, as a read-only URI, since the driver ignores the
// ODBC access mode).
std::string TranslateForDriver(const std::string& connect, const std::string& file, bool readOnly)
{
    std::string text = connect;
    if (!text.empty() && text.back() != ';')
        text += ';';
    std::string database = readOnly ? ReadOnlyUri(file) : file;
    if (database.find_first_of(";{}") != std::string::npos)
        database = "{" + database + "}";
    text += "Database=" + database + ";NoCreat=1";
    return text;
}

// A result column is read under the name its select list writes ("SELECT
// DISTINCT name" gives "name"), and under SELECT * under the table's own
// column name. SQLite by default reports a column's declared name even where
// the select list spells it otherwise, so switch that off for its driver.
void NameColumnsAsWritten(SQLHDBC hdbc)
{
    char dbms[64] = "";
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetInfo(hdbc, SQL_DBMS_NAME, dbms, sizeof dbms, &length)) ||
        strcasecmp(dbms, "SQLite") != 0)
        return;
    SQLHSTMT hstmt = SQL_NULL_HSTMT;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, hdbc, &hstmt)))
        ThrowOdbcError(SQL_HANDLE_DBC, hdbc);
    SQLRETURN rc = SQLExecDirect(hstmt, reinterpret_cast<SQLCHAR*>(const_cast<char*>("PRAGMA short_column_names=0")),
                                 SQL_NTS);
    if (!SQL_SUCCEEDED(rc)) {
        try {
            ThrowOdbcError(SQL_HANDLE_STMT, hstmt);
        } catch (...) {
            SQLFreeHandle(SQL_HANDLE_STMT, hstmt);
            throw;
        }
    }
    SQLFreeHandle(SQL_HANDLE_STMT, hstmt);
}

// A file the driver opens need not be a navigation database: one statement
// that names every table and column the program reads tells, before any
// window shows, what is missing.
void CheckNavigationTables(SQLHDBC hdbc, const std::string& file)
{
    SQLHSTMT hstmt = SQL_NULL_HSTMT;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, hdbc, &hstmt)))
        ThrowOdbcError(SQL_HANDLE_DBC, hdbc);
    SQLRETURN rc = SQLExecDirect(hstmt, reinterpret_cast<SQLCHAR*>(const_cast<char*>(NAVDB_SCHEMA_PROBE_SQL)),
                                 SQL_NTS);
    if (SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA) {
        SQLFreeHandle(SQL_HANDLE_STMT, hstmt);
        return;
    }
    std::string cause;
    try {
        ThrowOdbcError(SQL_HANDLE_STMT, hstmt);
    } catch (const CDBException& e) {
        cause = e.what();
    }
    SQLFreeHandle(SQL_HANDLE_STMT, hstmt);
    // One line: the driver's messages, each of which ends in a line break.
    while (!cause.empty() && cause.back() == '\n')
        cause.pop_back();
    for (char& c : cause)
        if (c == '\n')
            c = ' ';
    ThrowCannotOpen(file, "it is not a navigation database (" + cause + ")");
}

}  // namespace

void ThrowOdbcError(SQLSMALLINT handleType, SQLHANDLE handle)
{
    std::vector<std::string> messages;
    std::string firstState;
    for (SQLSMALLINT i = 1;; ++i) {
        SQLCHAR state[6] = "";
        SQLINTEGER native = 0;
        SQLCHAR text[SQL_MAX_MESSAGE_LENGTH + 1];
        SQLSMALLINT length = 0;
        SQLRETURN rc = SQLGetDiagRec(handleType, handle, i, state, &native, text, sizeof text, &length);
        if (!SQL_SUCCEEDED(rc))
            break;
        if (firstState.empty())
            firstState = reinterpret_cast<char*>(state);
        messages.emplace_back(reinterpret_cast<char*>(text));
    }
    if (messages.empty())
        messages.emplace_back("The ODBC driver reported a failure without a message.");
    throw CDBException(FormatDiagnostics(messages), firstState);
}

CDatabase::CDatabase() = default;

CDatabase::~CDatabase()
{
    Close();
}

bool CDatabase::Open(const char* lpszDSN, bool bExclusive, bool bReadOnly,
                     const std::string& strConnect, bool bUseCursorLib)
{
    if (lpszDSN && *lpszDSN)
        throw CDBException("Data source names are not supported; give a connection string.");
    if (strConnect.size() < 5 || strncasecmp(strConnect.c_str(), "ODBC;", 5) != 0)
        throw CDBException("The connection string must begin with \"ODBC;\".");
    unsigned options = (bExclusive ? openExclusive : 0u) | (bReadOnly ? openReadOnly : 0u) |
                       (bUseCursorLib ? useCursorLib : 0u);
    return OpenEx(strConnect.substr(5), options);
}

bool CDatabase::OpenEx(const std::string& strConnect, unsigned options)
{
    return Connect(strConnect, options, true);
}

bool CDatabase::Connect(const std::string& strConnect, unsigned options, bool checkTables)
{
    if (options & openExclusive)
        throw CDBException("Exclusive access to the database is not supported.");
    Close();

    std::string connect = strConnect;
    if (connect.size() >= 5 && strncasecmp(connect.c_str(), "ODBC;", 5) == 0)
        connect.erase(0, 5);
    SQLHENV henv = OdbcEnvironment::Get(ConnectKeyword(connect, "DRIVER"));
    const std::string file = DatabaseFileOf(connect);
    std::string driverText = connect;
    if (!file.empty()) {
        CheckDatabaseFile(file);
        driverText = TranslateForDriver(connect, file, (options & openReadOnly) != 0);
    }

    SQLHDBC hdbc = SQL_NULL_HDBC;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, henv, &hdbc)))
        ThrowOdbcError(SQL_HANDLE_ENV, henv);

    struct Guard {  // frees the handle unless the connection succeeds
        SQLHDBC& h;
        bool connected = false;
        ~Guard()
        {
            if (h == SQL_NULL_HDBC)
                return;
            if (connected)
                SQLDisconnect(h);
            SQLFreeHandle(SQL_HANDLE_DBC, h);
        }
    } guard{hdbc};

    SQLSetConnectAttr(hdbc, SQL_ATTR_LOGIN_TIMEOUT,
                      reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(m_dwLoginTimeout)), 0);
    if (options & openReadOnly)
        SQLSetConnectAttr(hdbc, SQL_ATTR_ACCESS_MODE, reinterpret_cast<SQLPOINTER>(SQL_MODE_READ_ONLY), 0);
    // The driver manager's cursor library refuses to fetch when no column is
    // bound, and record sets read by SQLGetData. Forward-only reading never
    // needs it, so let the manager load it only where the driver lacks a
    // cursor of its own.
    if (options & useCursorLib)
        SQLSetConnectAttr(hdbc, SQL_ATTR_ODBC_CURSORS, reinterpret_cast<SQLPOINTER>(SQL_CUR_USE_IF_NEEDED), 0);

    // Watched from before SQLite opens the file, so that no write slips
    // between what the connection reads first and what the watch saw.
    DatabaseFileWatch watch;
    if (!file.empty() && (options & openReadOnly))
        watch = DatabaseFileWatch(file);

    SQLCHAR completed[1024];
    SQLSMALLINT completedLength = 0;
    SQLRETURN rc = SQLDriverConnect(
        hdbc, nullptr, reinterpret_cast<SQLCHAR*>(const_cast<char*>(driverText.c_str())), SQL_NTS,
        completed, sizeof completed, &completedLength,
        (options & noOdbcDialog) ? SQL_DRIVER_NOPROMPT : SQL_DRIVER_COMPLETE);
    if (rc == SQL_NO_DATA)
        return false;  // the user cancelled the driver's dialog
    if (!SQL_SUCCEEDED(rc))
        ThrowOdbcError(SQL_HANDLE_DBC, hdbc);
    guard.connected = true;

    if (options & openReadOnly)
        SQLSetConnectAttr(hdbc, SQL_ATTR_ACCESS_MODE, reinterpret_cast<SQLPOINTER>(SQL_MODE_READ_ONLY), 0);

    SQLUSMALLINT conformance = 0;
    if (!SQL_SUCCEEDED(SQLGetInfo(hdbc, SQL_ODBC_API_CONFORMANCE, &conformance, sizeof conformance, nullptr)))
        ThrowOdbcError(SQL_HANDLE_DBC, hdbc);
    if (conformance < SQL_OAC_LEVEL1)
        throw CDBException("The ODBC driver does not offer API conformance level 1.");

    NameColumnsAsWritten(hdbc);
    if (checkTables && !file.empty())
        CheckNavigationTables(hdbc, file);

    m_hdbc = hdbc;
    hdbc = SQL_NULL_HDBC;  // owned now; the guard lets go
    m_strConnect = strConnect;
    m_options = options;
    m_bQueryTimeoutRefused = false;
    m_fileWatch = std::move(watch);
    // No output of this process may take the place of the database it reads.
    if (!file.empty())
        m_protection.emplace(file);
    return true;
}

bool CDatabase::Reconnect()
{
    if (IsOpen())
        return true;
    if (m_strConnect.empty())
        return false;
    try {
        return OpenEx(m_strConnect, m_options | noOdbcDialog);
    } catch (const CDBException&) {
        return false;
    }
}

void CDatabase::Close()
{
    if (m_hdbc == SQL_NULL_HDBC)
        return;
    SQLDisconnect(m_hdbc);
    SQLFreeHandle(SQL_HANDLE_DBC, m_hdbc);
    m_hdbc = SQL_NULL_HDBC;
    m_activeStatements = 0;
    m_fileWatch = DatabaseFileWatch();
    m_protection.reset();
}

SQLHSTMT CDatabase::AllocStatement()
{
    // Only an idle connection can be opened anew; one with a record set open
    // goes on with the file as it was until that closes. Anew means without
    // the start-up check of the tables, so that a query on a changed file
    // fails as it would have on the old connection, with the data source's
    // own words.
    if (m_activeStatements == 0 && m_fileWatch.Changed() && !Connect(m_strConnect, m_options | noOdbcDialog, false))
        throw CDBException("The navigation database was changed and could not be opened again.");
    SQLHSTMT hstmt = SQL_NULL_HSTMT;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, m_hdbc, &hstmt)))
        ThrowOdbcError(SQL_HANDLE_DBC, m_hdbc);
    ++m_activeStatements;
    if (!m_bQueryTimeoutRefused && m_dwQueryTimeout != 0) {
        SQLRETURN rc = SQLSetStmtAttr(hstmt, SQL_ATTR_QUERY_TIMEOUT,
                                      reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(m_dwQueryTimeout)), 0);
        if (!SQL_SUCCEEDED(rc))
            m_bQueryTimeoutRefused = true;
    }
    return hstmt;
}

void CDatabase::FreeStatement(SQLHSTMT hstmt)
{
    SQLFreeHandle(SQL_HANDLE_STMT, hstmt);
    if (m_activeStatements > 0)
        --m_activeStatements;
}
