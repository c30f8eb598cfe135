// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/DatabaseTables.h"

#include "data/Recordset.h"

bool HasTable(CDatabase& database, const std::string& table)
{
    CRecordset rs(&database);
    rs.SetParameters({table});
    return rs.Open(CRecordset::forwardOnly, "SELECT name FROM sqlite_master WHERE type='table' AND name=?",
                   CRecordset::none) &&
           !rs.IsEOF();
}
