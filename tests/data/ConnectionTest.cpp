// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/ConnectionString.h"
#include "data/DBException.h"
#include "tests/support/FixtureDb.h"
#include "data/DatabaseTables.h"
#include "data/Recordset.h"
#include "base/ProtectedFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

namespace {

std::string OpenError(const std::string& connect)
{
    CDatabase db;
    try {
        db.Open(nullptr, false, true, connect, true);
    } catch (const CDBException& e) {
        EXPECT_FALSE(db.IsOpen());
        return e.what();
    }
    return "(no error)";
}

}  // namespace

TEST(Connection, MissingDatabaseIsAnErrorNamingTheFileAndDirectoryAndCreatesNothing)
{
    ScratchDirectory dir;
    std::string error = OpenError(NAVDB_CONNECT_STRING);
    EXPECT_NE(error.find("VORS.MDB"), std::string::npos) << error;
    EXPECT_NE(error.find(dir.path()), std::string::npos) << error;
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(Connection, ADirectoryNamedLikeTheDatabaseIsRefused)
{
    ScratchDirectory dir;
    ASSERT_EQ(mkdir("VORS.MDB", 0755), 0);
    std::string error = OpenError(NAVDB_CONNECT_STRING);
    EXPECT_NE(error.find("Is a directory"), std::string::npos) << error;
}

// Each of these would hang the program (the FIFO) or open its window on a
// database that fails at the first query.
TEST(Connection, AnythingButANavigationDatabaseIsRefusedNamingFileDirectoryAndCause)
{
    ScratchDirectory dir;
    const std::string navTables = ReadTestFile("support/schema.sql");
    const struct {
        const char* what;
        std::function<void()> make;
        const char* cause;
    } cases[] = {
        {"FIFO", [] { ASSERT_EQ(mkfifo("VORS.MDB", 0644), 0); }, "named pipe (FIFO)"},
        {"link to a FIFO",
         [] {
             ASSERT_EQ(mkfifo("pipe", 0644), 0);
             ASSERT_EQ(symlink("pipe", "VORS.MDB"), 0);
         },
         "named pipe (FIFO)"},
        {"empty file", [] { std::ofstream("VORS.MDB"); }, "the file is empty"},
        {"random bytes", [] { std::ofstream("VORS.MDB") << std::string(4096, '\x5a') << "not a database\n"; },
         "not a navigation database (file is not a database"},
        {"other tables", [] { ExecuteSqlScript("VORS.MDB", "CREATE TABLE t(x);"); },
         "not a navigation database (no such table: "},
        {"a column short",
         [&] {
             ExecuteSqlScript("VORS.MDB", navTables + "ALTER TABLE navs RENAME COLUMN Frequency TO Freq;");
         },
         "not a navigation database (no such column: navs.Frequency"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all("VORS.MDB");
        std::filesystem::remove_all("pipe");
        c.make();
        alarm(20);  // a FIFO opened as a database blocks for ever
        std::string error = OpenError(NAVDB_CONNECT_STRING);
        alarm(0);
        EXPECT_EQ(error.find("Cannot open the navigation database VORS.MDB in " + dir.path() + ": "), 0u)
            << c.what << ": " << error;
        EXPECT_NE(error.find(c.cause), std::string::npos) << c.what << ": " << error;
    }
    // ...while the tables alone, with no row, are a navigation database.
    std::filesystem::remove_all("VORS.MDB");
    ExecuteSqlScript("VORS.MDB", navTables);
    EXPECT_EQ(OpenError(NAVDB_CONNECT_STRING), "(no error)");
}

TEST(Connection, TextWithoutTheOdbcPrefixIsRefusedWithoutAConnectionAttempt)
{
    ScratchDirectory dir;
    std::string error = OpenError(NAVDB_CONNECT_STRING + 5);
    EXPECT_NE(error.find("ODBC;"), std::string::npos) << error;
    // any letter case of the prefix will do
    ExecuteSqlScript("VORS.MDB", ReadTestFile("support/schema.sql"));
    CDatabase db;
    EXPECT_TRUE(db.Open(nullptr, false, true, std::string("odbc;") + (NAVDB_CONNECT_STRING + 5), true));
}

TEST(Connection, AnUnknownDriverNameReportsTheDriverManagersWordsWithoutTags)
{
    ScratchDirectory dir;
    ExecuteSqlScript("VORS.MDB", "CREATE TABLE t(x);");
    std::string error = OpenError("ODBC;DRIVER=No Such Driver 42;DBQ=VORS.MDB");
    EXPECT_NE(error.find("No Such Driver 42"), std::string::npos) << error;
    EXPECT_NE(error[0], '[') << error;
}

TEST(Connection, ReadOnlyConnectionCannotChangeTheDatabase)
{
    ScratchDirectory dir;
    ExecuteSqlScript("VORS.MDB", ReadTestFile("support/schema.sql") + "CREATE TABLE t(x); INSERT INTO t VALUES(1);");
    auto bytes = [] {
        std::ifstream in("VORS.MDB", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    const std::string before = bytes();
    CDatabase db;
    ASSERT_TRUE(db.Open(nullptr, false, true, NAVDB_CONNECT_STRING, true));
    CRecordset rs(&db);
    for (const char* write : {"DELETE FROM t", "UPDATE t SET x=2", "INSERT INTO t VALUES(3)", "CREATE TABLE u(y)",
                              "DROP TABLE t"}) {
        EXPECT_THROW(rs.Open(CRecordset::forwardOnly, write, CRecordset::none), CDBException) << write;
    }
    rs.Open(CRecordset::forwardOnly, "SELECT count(*) AS n, max(x) AS x FROM t", CRecordset::none);
    std::string n, x;
    rs.GetFieldValue("n", n);
    rs.GetFieldValue("x", x);
    EXPECT_EQ(n + " " + x, "1 1");
    rs.Close();
    db.Close();
    EXPECT_TRUE(bytes() == before);
    EXPECT_FALSE(std::filesystem::exists("VORS.MDB-journal"));
}

// The connection does without SQLite's check for a changed file before every
// statement, yet a file written in place must still read as it now is.
TEST(Connection, AFileWrittenInPlaceIsReadAnewOnceNoRecordSetIsOpen)
{
    ScratchDirectory dir;
    ExecuteSqlScript("VORS.MDB", ReadTestFile("support/schema.sql") + "CREATE TABLE t(x); INSERT INTO t VALUES(1);");
    CDatabase db;
    ASSERT_TRUE(db.Open(nullptr, false, true, NAVDB_CONNECT_STRING, true));
    auto read = [&db] {
        CRecordset rs(&db);
        rs.Open(CRecordset::forwardOnly, "SELECT group_concat(x) AS x FROM t", CRecordset::none);
        std::string x;
        rs.GetFieldValue("x", x);
        return x;
    };
    EXPECT_EQ(read(), "1");

    // Same size, same second: only the header tells. While a record set is
    // open the connection stays as it is (opening anew would pull the record
    // set's statement away), so an operation reads one state of the file.
    CRecordset open(&db);
    open.Open(CRecordset::forwardOnly, "SELECT x FROM t", CRecordset::none);
    ExecuteSqlScript("VORS.MDB", "UPDATE t SET x=2;");
    EXPECT_EQ(read(), "1");
    std::string x;
    open.GetFieldValue("x", x);
    open.MoveNext();
    EXPECT_TRUE(open.IsEOF());
    open.Close();
    EXPECT_EQ(read(), "2");

    ExecuteSqlScript("VORS.MDB", "INSERT INTO t VALUES(3);");
    EXPECT_EQ(read(), "2,3");
    // The query's own error, not the start-up check's.
    ExecuteSqlScript("VORS.MDB", "DROP TABLE t;");
    try {
        read();
        ADD_FAILURE() << "read a dropped table";
    } catch (const CDBException& e) {
        EXPECT_EQ(std::string(e.what()).find("no such table: t"), 0u) << e.what();
    }
}

TEST(Connection, ARecordSetReopensAClosedConnection)
{
    ScratchDirectory dir;
    ExecuteSqlScript("VORS.MDB", ReadTestFile("support/schema.sql") + "CREATE TABLE t(x); INSERT INTO t VALUES(7);");
    CDatabase db;
    ASSERT_TRUE(db.Open(nullptr, false, true, NAVDB_CONNECT_STRING, true));
    db.Close();
    CRecordset rs(&db);
    EXPECT_TRUE(rs.Open(CRecordset::forwardOnly, "SELECT x FROM t", CRecordset::none));
    std::string x;
    rs.GetFieldValue("x", x);
    EXPECT_EQ(x, "7");

    // ...and says false when it cannot.
    rs.Close();
    db.Close();
    std::filesystem::remove("VORS.MDB");
    EXPECT_FALSE(rs.Open(CRecordset::forwardOnly, "SELECT x FROM t", CRecordset::none));
    EXPECT_FALSE(std::filesystem::exists("VORS.MDB"));
}

// Only the file the connection reads is kept from the program's outputs:
// once a new import takes its place and the connection opens that, the old
// file (here kept alive by a second name) may be written again, as may any
// new file the system gives its inode to. Opening anew after a write in
// place holds the file once, not twice; closing ends the protection.
TEST(Connection, ProtectsTheFileItReadsAndOnlyWhileItReadsIt)
{
    ScratchDirectory dir;
    const std::string schema = ReadTestFile("support/schema.sql");
    ExecuteSqlScript("VORS.MDB", schema + "CREATE TABLE t(x); INSERT INTO t VALUES(1);");
    ASSERT_EQ(::link("VORS.MDB", "old.MDB"), 0);
    CDatabase db;
    const auto open = [&db] { ASSERT_TRUE(db.Open(nullptr, false, true, NAVDB_CONNECT_STRING, true)); };
    const auto read = [&db] {
        CRecordset rs(&db);
        rs.Open(CRecordset::forwardOnly, "SELECT group_concat(x) AS x FROM t", CRecordset::none);
        std::string x;
        rs.GetFieldValue("x", x);
        return x;
    };
    open();
    EXPECT_TRUE(base::isProtectedPath("VORS.MDB"));
    EXPECT_TRUE(base::isProtectedPath("old.MDB")) << "one file under two names";

    ExecuteSqlScript("new.MDB", schema + "CREATE TABLE t(x); INSERT INTO t VALUES(2);");
    ASSERT_EQ(::rename("new.MDB", "VORS.MDB"), 0);
    db.Close();
    EXPECT_FALSE(base::isProtectedPath("old.MDB"));
    open();
    ASSERT_EQ(read(), "2") << "the connection reads the new import";
    EXPECT_TRUE(base::isProtectedPath("VORS.MDB"));
    EXPECT_FALSE(base::isProtectedPath("old.MDB"));

    ExecuteSqlScript("VORS.MDB", "INSERT INTO t VALUES(3);");
    ASSERT_EQ(read(), "2,3") << "opened anew after the write in place";
    EXPECT_TRUE(base::isProtectedPath("VORS.MDB"));
    db.Close();
    EXPECT_FALSE(base::isProtectedPath("VORS.MDB"));
}

// The side tables are found by name alone: a view or an index of that name
// is no table, and a name is a bound value, never part of the query.
TEST(Connection, TellsWhichTablesTheDatabaseHas)
{
    ScratchDirectory dir;
    ExecuteSqlScript("VORS.MDB", ReadTestFile("support/schema.sql") +
                                     "DROP TABLE ndb_coverage; CREATE VIEW ndb_coverage AS SELECT 1;"
                                     "CREATE INDEX nav_index ON navs(ID);");
    CDatabase db;
    ASSERT_TRUE(db.Open(nullptr, false, true, NAVDB_CONNECT_STRING, true));
    const struct {
        const char* name;
        bool table;
    } cases[] = {
        {"nav_coverage", true}, {"nav_idents", true},  {"ndb_coverage", false}, {"nav_index", false},
        {"", false}, {"navs' OR '1'='1", false}, {"navs\xc3\xa9", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HasTable(db, c.name), c.table) << c.name;
}
