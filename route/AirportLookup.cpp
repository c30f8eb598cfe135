// SPDX-License-Identifier: GPL-3.0-or-later
#include "route/AirportLookup.h"

#include "base/AsciiText.h"

#include "data/Quoting.h"
#include "data/Recordset.h"

#include <cctype>

std::string FindAirportID(CDatabase* pDatabase, const std::string& identOrID)
{
    std::string condition;
    if (!identOrID.empty() && identOrID[0] == '#') {
        std::string digits = identOrID.substr(1);
        if (digits.empty() || digits.size() > 18)
            return {};
        for (char c : digits) {
            if (!std::isdigit(static_cast<unsigned char>(c)))
                return {};
        }
        condition = "ID=" + digits;
    } else {
        condition = "Ident='" + EscapeQuotes(base::asciiUpper(identOrID)) + "'";
    }
    CRecordset rs(pDatabase);
    if (!rs.Open(CRecordset::forwardOnly, "SELECT ID FROM airports WHERE " + condition, CRecordset::none))
        return {};
    std::string id;
    if (!rs.IsEOF())
        rs.GetFieldValue("ID", id);
    return id;
}
