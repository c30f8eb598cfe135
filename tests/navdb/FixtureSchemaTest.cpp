// SPDX-License-Identifier: GPL-3.0-or-later
// The tests' fixture databases are built from tests/support/schema.sql, a
// copy of the importer's tables kept in SQL so every area's tests can use
// it without the importer. The copy must not drift from the original.

#include "tools/navdb/Schema.h"
#include "tools/navdb/SqliteDb.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

// Each table's columns as SQLite understands them (name, declared type, NOT
// NULL, primary key), and each index's SQL with its spacing evened out.
struct SchemaDescription {
    std::map<std::string, std::string> tables;
    std::map<std::string, std::string> indexes;
};

std::string column(sqlite3_stmt* statement, int index)
{
    const unsigned char* text = sqlite3_column_text(statement, index);
    return text ? reinterpret_cast<const char*>(text) : "";
}

std::string evenSpacing(const std::string& sql)
{
    std::istringstream words(sql);
    std::string out;
    for (std::string word; words >> word;)
        out += (out.empty() ? "" : " ") + word;
    return out;
}

// Rows of a query, their cells joined with '|', one line each.
std::string rows(navdb::SqliteDb& db, const std::string& sql)
{
    sqlite3_stmt* statement = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db.handle(), sql.c_str(), -1, &statement, nullptr), SQLITE_OK) << sql;
    std::string out;
    while (statement && sqlite3_step(statement) == SQLITE_ROW) {
        for (int i = 0; i < sqlite3_column_count(statement); ++i)
            out += (i ? "|" : "") + column(statement, i);
        out += '\n';
    }
    sqlite3_finalize(statement);
    return out;
}

SchemaDescription describe(navdb::SqliteDb& db)
{
    SchemaDescription description;
    std::istringstream objects(rows(db, "SELECT type, name, sql FROM sqlite_master WHERE name NOT LIKE 'sqlite_%'"));
    for (std::string line; std::getline(objects, line);) {
        const std::size_t first = line.find('|'), second = line.find('|', first + 1);
        const std::string type = line.substr(0, first), name = line.substr(first + 1, second - first - 1);
        if (type == "table")
            description.tables[name] =
                rows(db, "SELECT name, type, \"notnull\", pk, dflt_value FROM pragma_table_info('" + name + "')");
        else if (type == "index")
            description.indexes[name] = evenSpacing(line.substr(second + 1));
    }
    return description;
}

}  // namespace

TEST(FixtureSchema, TheFixturesTablesAreTheImportersTables)
{
    navdb::SqliteDb imported(":memory:");
    navdb::createTables(imported);
    navdb::createIndexes(imported);
    const SchemaDescription original = describe(imported);

    std::ifstream file(std::string(MERIDANE_TEST_DATA_DIR) + "/support/schema.sql");
    ASSERT_TRUE(file) << "tests/support/schema.sql";
    std::ostringstream sql;
    sql << file.rdbuf();
    navdb::SqliteDb fixture(":memory:");
    fixture.exec(sql.str());
    const SchemaDescription copy = describe(fixture);

    EXPECT_FALSE(original.tables.empty());
    EXPECT_EQ(copy.tables, original.tables);
    // The fixtures leave out the indexes that only speed up a world-sized
    // database; those they keep must be the importer's.
    for (const auto& [name, indexSql] : copy.indexes) {
        const auto found = original.indexes.find(name);
        ASSERT_NE(found, original.indexes.end()) << "the importer creates no index " << name;
        EXPECT_EQ(indexSql, found->second);
    }
}
