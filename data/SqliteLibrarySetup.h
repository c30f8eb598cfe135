// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Settings of the SQLite library that the ODBC driver runs inside this
// process (the driver links the same shared libsqlite3). They must be made
// before anything in the process starts SQLite: call before the first
// connection. In a process that started SQLite already they are skipped and
// SQLite keeps its defaults.
void ConfigureSqliteLibrary();
