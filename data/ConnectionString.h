// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one connection string of the program. Its keywords are those of the
// navigation database driver; the connection layer translates what the local
// driver needs (see Database.cpp) and leaves this text alone.
inline constexpr const char NAVDB_CONNECT_STRING[] =
    "ODBC;DRIVER=Microsoft Access Driver (*.mdb);DBQ=VORS.MDB;UserCommitSync=Yes;"
    "Threads=3;SafeTransactions=0;PageTimeout=5;MaxScanRows=8;MaxBufferSize=512;"
    "UID=Dorn41;PWD=Vexor7730162";

// The database file named by DBQ above.
inline constexpr const char NAVDB_FILE_NAME[] = "VORS.MDB";
