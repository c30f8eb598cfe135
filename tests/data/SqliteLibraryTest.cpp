// SPDX-License-Identifier: GPL-3.0-or-later
// A program of its own: the library settings take only where the connection
// is the first to start SQLite in the process, as in Meridane itself.
#include "data/ConnectionString.h"
#include "data/DBException.h"
#include "tests/support/FixtureDb.h"
#include "data/Recordset.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <set>
#include <string>

namespace {

// The fixture is written by a child process, which keeps this process's
// SQLite unstarted.
void WriteFixtureInChild(const std::string& sql)
{
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        try {
            ExecuteSqlScript(NAVDB_FILE_NAME, sql);
        } catch (...) {
            _exit(1);
        }
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

std::set<std::string> LoadedSqliteLibraries()
{
    std::ifstream maps("/proc/self/maps");
    std::set<std::string> paths;
    for (std::string line; std::getline(maps, line);) {
        std::size_t slash = line.find('/');
        if (slash != std::string::npos && line.find("libsqlite3.so", slash) != std::string::npos)
            paths.insert(line.substr(slash));
    }
    return paths;
}

}  // namespace

TEST(SqliteLibrary, TheDriversSqliteRunsOnTheSettingsMadeBeforeTheFirstConnection)
{
    ScratchDirectory dir;
    std::string longName(3000, 'n');
    longName.back() = 'z';
    std::string rows;
    for (int id = 1; id <= 300; ++id)
        rows += NavRow(id, id == 7 ? longName : "Beacon " + std::to_string(id), "N", id % 90, 12.5, "W", id % 180,
                       0.25 * id, "VOR", id % 2 ? "113.1" : "-1.0");
    WriteFixtureInChild(ReadTestFile("support/schema.sql") + rows);
    ASSERT_EQ(sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 1), SQLITE_OK) << "SQLite was started before the test";

    CDatabase db;
    ASSERT_TRUE(db.Open(nullptr, false, true, NAVDB_CONNECT_STRING, true));
    // The driver runs the library this process links, and started it.
    EXPECT_EQ(LoadedSqliteLibraries().size(), 1u);
    EXPECT_EQ(sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 1), SQLITE_MISUSE);

    // Every row read back as written, each through statements of its own
    // while the list stays open, as the route search reads.
    CRecordset list(&db);
    list.Open(CRecordset::forwardOnly, "SELECT * FROM navs", CRecordset::none);
    int count = 0;
    for (; !list.IsEOF(); list.MoveNext(), ++count) {
        std::string id, name, frequency, latMajor, longMinor;
        list.GetFieldValue("ID", id);
        CRecordset row(&db);
        row.Open(CRecordset::forwardOnly, "SELECT * FROM navs WHERE id=" + id, CRecordset::none);
        row.GetFieldValue("Name", name);
        row.GetFieldValue("Frequency", frequency);
        row.GetFieldValue("LatMajor", latMajor);
        row.GetFieldValue("LongMinor", longMinor);
        const int n = std::stoi(id);
        EXPECT_EQ(name, n == 7 ? longName : "Beacon " + id);
        EXPECT_EQ(frequency, n % 2 ? "113.1" : "-1.0");
        EXPECT_EQ(latMajor, std::to_string(n % 90));
        EXPECT_EQ(std::stod(longMinor), 0.25 * n) << longMinor;
    }
    EXPECT_EQ(count, 300);
    list.Close();

    // Allocation statistics are off: nothing was counted. Blocks come from
    // the block cache, whose smallest holds 16 bytes (SQLite's own: 8).
    EXPECT_EQ(sqlite3_memory_used(), 0);
    void* block = sqlite3_malloc(1);
    EXPECT_EQ(sqlite3_msize(block), 16u);
    sqlite3_free(block);

    CRecordset write(&db);
    EXPECT_THROW(write.Open(CRecordset::forwardOnly, "DELETE FROM navs", CRecordset::none), CDBException);
}
