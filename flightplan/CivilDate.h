// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace flightplan {

// A day of the Gregorian calendar. The magnetic model, the AIRAC cycle of
// an X-Plane plan and the creation stamp of a Garmin plan all follow it, so
// a plan made for one date gives the same files whenever it is written.
struct CivilDate {
    int year = 2025;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
};

// "2025-07-02": the date as every text and file of a plan writes it.
std::string isoDateText(const CivilDate& date);

// Today in UTC.
CivilDate todayUtc();

// The date as a year with its fraction elapsed at 0h UTC (2025-07-02 is
// 2025.5 in a common year), as the magnetic model counts time.
double decimalYear(const CivilDate& date);

// Days since 1970-01-01 (negative before), for date arithmetic.
long daysSinceEpoch(const CivilDate& date);

// The date `days` days after 1970-01-01.
CivilDate dateFromDays(long days);

// True for a real calendar day between years 1 and 9999.
bool isValidDate(const CivilDate& date);

}  // namespace flightplan
