// SPDX-License-Identifier: GPL-3.0-or-later
#include "route/Distance.h"

#include "route/Position.h"
#include "data/Recordset.h"


double GetDistance(CDatabase* pDatabase, const std::string& idA, const std::string& idB,
                   const std::string& tableA, const std::string& tableB)
{
    CRecordset rs(pDatabase);
    rs.Open(CRecordset::forwardOnly, "SELECT * FROM " + tableA + " WHERE id=" + idA, CRecordset::none);
    Coordinates a = ReadCoordinates(rs);
    rs.Close();

    rs.Open(CRecordset::forwardOnly, "SELECT * FROM " + tableB + " WHERE id=" + idB, CRecordset::none);
    Coordinates b = ReadCoordinates(rs);
    rs.Close();

    return FlatDistance(a, b);
}
