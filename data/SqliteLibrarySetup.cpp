// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/SqliteLibrarySetup.h"

#include "data/SqliteBlockCache.h"

#include <sqlite3.h>

void ConfigureSqliteLibrary()
{
    // Each setting is refused once SQLite has started; then all are.
    // One thread runs every query of the program on its one connection: the
    // locks SQLite would take around each connection and statement call
    // guard nothing.
    if (sqlite3_config(SQLITE_CONFIG_MULTITHREAD) != SQLITE_OK)
        return;
    // Allocation statistics cost a global lock per allocation; nobody reads
    // them.
    sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    sqlite3_config(SQLITE_CONFIG_MALLOC, &SqliteBlockCacheMethods());
}
