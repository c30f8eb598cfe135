// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace navdb {

class SqliteDb;

// The tables the planner reads. Names and columns are fixed: the planner
// queries them by name, and reads `SELECT * FROM runways,airports` by column
// name, so no column may be added to either of those two.
void createTables(SqliteDb& db);

// Indexes for the planner's lookups, created after the rows are in (faster
// than maintaining them row by row), followed by ANALYZE so SQLite's planner
// knows their selectivity.
void createIndexes(SqliteDb& db);

}  // namespace navdb
