// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/NavDataEdition.h"

#include "data/DBException.h"
#include "data/Recordset.h"

#include <cctype>
#include <ctime>

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's
// days_from_civil), or nullopt for text that is no YYYY-MM-DD date.
std::optional<long> DaysOf(const std::string& date)
{
    if (date.size() != 10 || date[4] != '-' || date[7] != '-')
        return std::nullopt;
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (!std::isdigit(static_cast<unsigned char>(date[i])))
            return std::nullopt;
    }
    long y = std::stol(date.substr(0, 4));
    const long m = std::stol(date.substr(5, 2));
    const long d = std::stol(date.substr(8, 2));
    if (m < 1 || m > 12 || d < 1 || d > 31)
        return std::nullopt;
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

}  // namespace

NavDataEdition ReadNavDataEdition(CDatabase* database)
{
    NavDataEdition edition;
    try {
        CRecordset rs(database);
        if (!rs.Open(CRecordset::forwardOnly, "SELECT File, DataDate, Version FROM data_sources"))
            return edition;
        for (; !rs.IsEOF(); rs.MoveNext()) {
            const std::string file = rs.GetFieldValue("File");
            if (file == "nav.dat") {
                edition.ilsCycle = rs.GetFieldValue("Version");
            } else if (file.size() > 4 && file.compare(file.size() - 4, 4, ".csv") == 0) {
                const std::string date = rs.GetFieldValue("DataDate");
                if (DaysOf(date) && date > edition.ourairportsDate)
                    edition.ourairportsDate = date;
            }
        }
    } catch (const CDBException&) {
        // Imported before the record was kept: nothing to say.
        return NavDataEdition{};
    }
    return edition;
}

std::string NavDataLine(const NavDataEdition& edition)
{
    std::string line = "Navigation data: OurAirports of " +
                       (edition.ourairportsDate.empty() ? std::string("unknown date") : edition.ourairportsDate);
    line += edition.ilsCycle.empty() ? std::string(", no ILS frequencies")
                                     : ", ILS from X-Plane " + edition.ilsCycle;
    return line;
}

std::optional<int> NavDataAgeDays(const NavDataEdition& edition, const std::string& today)
{
    const auto data = DaysOf(edition.ourairportsDate);
    const auto now = DaysOf(today);
    if (!data || !now)
        return std::nullopt;
    return static_cast<int>(*now - *data);
}

std::string StaleNavDataNote(const NavDataEdition& edition, const std::string& today)
{
    const auto age = NavDataAgeDays(edition, today);
    if (!age || *age <= NAV_DATA_STALE_DAYS)
        return {};
    return "The navigation data is from " + edition.ourairportsDate + ", " + std::to_string(*age) +
           " days ago. \"Update Navigation Data...\" in the window menu brings it up to date.";
}

std::string TodayUtc()
{
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &parts);
    return text;
}
