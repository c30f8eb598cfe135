// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/FixtureDb.h"
#include "data/NavDataEdition.h"

#include <gtest/gtest.h>

namespace {

class NavDataEditionTest : public NavDbTest {};

}  // namespace

TEST_F(NavDataEditionTest, NewestOurAirportsDateAndTheIlsCycleFromTheRecord)
{
    Build("CREATE TABLE data_sources (File TEXT NOT NULL, Origin TEXT NOT NULL, DataDate TEXT,"
          " Version TEXT, Rows INTEGER NOT NULL, Imported TEXT NOT NULL);"
          "INSERT INTO data_sources VALUES ('countries.csv','x','2026-08-22',NULL,249,'t');"
          "INSERT INTO data_sources VALUES ('airports.csv','x','2026-02-14',NULL,69899,'t');"
          "INSERT INTO data_sources VALUES ('runways.csv','x',NULL,NULL,1,'t');"
          "INSERT INTO data_sources VALUES ('nav.dat','x','2026-12-07','2013.10',3495,'t');");
    const NavDataEdition edition = ReadNavDataEdition(db());
    EXPECT_EQ(edition.ourairportsDate, "2026-08-22");
    EXPECT_EQ(edition.ilsCycle, "2013.10");
    EXPECT_EQ(NavDataLine(edition), "Navigation data: OurAirports of 2026-08-22, ILS from X-Plane 2013.10");
}

TEST_F(NavDataEditionTest, DatabaseFromBeforeTheRecordSaysItDoesNotKnow)
{
    Build("");
    const NavDataEdition edition = ReadNavDataEdition(db());
    EXPECT_EQ(NavDataLine(edition), "Navigation data: OurAirports of unknown date, no ILS frequencies");
    EXPECT_FALSE(NavDataAgeDays(edition, "2026-12-07"));
    EXPECT_EQ(StaleNavDataNote(edition, "2026-12-07"), "");
    // The connection still serves the specified queries afterwards.
    EXPECT_NO_THROW(ReadNavDataEdition(db()));
}

TEST(NavDataAge, DaysAcrossMonthsYearsAndLeapDays)
{
    struct Case {
        const char* data;
        const char* today;
        int days;
    };
    // Counted on a calendar.
    for (const Case& c : std::initializer_list<Case>{{"2026-08-22", "2026-08-22", 0},
                                                     {"2026-08-22", "2026-10-21", 60},
                                                     {"2026-08-22", "2026-10-22", 61},
                                                     {"2026-12-31", "2027-01-01", 1},
                                                     {"2028-02-28", "2028-03-01", 2},
                                                     {"2100-02-28", "2100-03-01", 1},
                                                     {"2000-02-28", "2000-03-01", 2},
                                                     {"2024-01-01", "2025-01-01", 366},
                                                     {"2026-12-07", "2026-08-22", -107}}) {
        EXPECT_EQ(NavDataAgeDays(NavDataEdition{c.data, ""}, c.today), c.days) << c.data << " " << c.today;
    }
    for (const char* notADate : {"", "2026-8-22", "2026/08/22", "2026-13-01", "2026-00-10", "yesterday!"})
        EXPECT_FALSE(NavDataAgeDays(NavDataEdition{notADate, ""}, "2026-12-07")) << notADate;

    // The note comes after 60 days, not on the 60th.
    EXPECT_EQ(StaleNavDataNote(NavDataEdition{"2026-08-22", ""}, "2026-10-21"), "");
    EXPECT_EQ(StaleNavDataNote(NavDataEdition{"2026-08-22", ""}, "2026-10-22"),
              "The navigation data is from 2026-08-22, 61 days ago. \"Update Navigation Data...\" in the window "
              "menu brings it up to date.");
    EXPECT_EQ(TodayUtc().size(), 10u);
}
