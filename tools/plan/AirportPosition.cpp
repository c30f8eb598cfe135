// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/plan/AirportPosition.h"

#include "data/Recordset.h"
#include "base/NumberText.h"

#include <cmath>
#include <stdexcept>

namespace {

struct Axis {
    const char* name;
    const char* directions;  // the positive hemisphere's letter, then the other's
    double limit;
    const char* dirColumn;
    const char* majorColumn;
    const char* minorColumn;
};

const Axis LATITUDE{"latitude", "NS", 90.0, "LatDir", "LatMajor", "LatMinor"};
const Axis LONGITUDE{"longitude", "EW", 180.0, "LongDir", "LongMajor", "LongMinor"};

// Why the three texts are no coordinate on the axis, or "" when they are.
std::string Fault(const Axis& axis, const std::string& dir, const std::string& major, const std::string& minor)
{
    if (dir.size() != 1 || (dir[0] != axis.directions[0] && dir[0] != axis.directions[1]))
        return std::string("the hemisphere is not ") + axis.directions[0] + " or " + axis.directions[1];
    const std::optional<double> whole = base::parseDecimal(major);
    if (!whole || *whole != std::floor(*whole) || *whole < 0.0)
        return "the degrees are not a whole number";
    const std::optional<double> hundredths = base::parseDecimal(minor);
    if (!hundredths || *hundredths < 0.0 || *hundredths >= 100.0)
        return "the hundredths are not a number from 0 to below 100";
    if (*whole + *hundredths / 100.0 > axis.limit)
        return "it lies beyond " + base::formatFixed(axis.limit, 0) + " degrees";
    return {};
}

}  // namespace

void CheckAirportPosition(CDatabase& database, const std::string& airportID, const std::string& databaseName)
{
    CRecordset rs(&database);
    rs.SetParameters({airportID});
    if (!rs.Open(CRecordset::forwardOnly,
                 "SELECT Ident, LatDir, LatMajor, LatMinor, LongDir, LongMajor, LongMinor FROM airports WHERE ID=?",
                 CRecordset::none) ||
        rs.IsEOF())
        return;  // the search says what is missing
    const std::string ident = rs.GetFieldValue("Ident");
    for (const Axis* axis : {&LATITUDE, &LONGITUDE}) {
        const std::string dir = rs.GetFieldValue(axis->dirColumn);
        const std::string major = rs.GetFieldValue(axis->majorColumn);
        const std::string minor = rs.GetFieldValue(axis->minorColumn);
        const std::string fault = Fault(*axis, dir, major, minor);
        if (!fault.empty())
            throw std::runtime_error("the " + std::string(axis->name) + " of the airport " + ident + " (ID " +
                                     airportID + ") in " + databaseName + " is damaged: \"" + dir + major + "* " +
                                     minor + "'\" (" + fault + ")");
    }
}
