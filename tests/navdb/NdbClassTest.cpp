// SPDX-License-Identifier: GPL-3.0-or-later
// An NDB's class from the navaids.csv fields, and the range each class is
// rated for, as one table.

#include "tools/navdb/StationCoverage.h"

#include "coverage/StationRange.h"

#include <gtest/gtest.h>

TEST(NdbClass, PowerAndUsageGiveTheClassAndItsRange)
{
    struct Case {
        const char* power;
        const char* usageType;
        const char* className;
        double rangeNm;
    };
    const Case cases[] = {
        {"LOW", "LO", "MH", 25.0},
        {"LOW", "BOTH", "MH", 25.0},
        {"LOW", "HI", "MH", 25.0},
        {"LOW", "RNAV", "MH", 25.0},
        {"LOW", "TERMINAL", "COMLO", 15.0},
        {" low ", "terminal", "COMLO", 15.0},  // as the source may write them
        {"MEDIUM", "BOTH", "H", 50.0},
        {"MEDIUM", "TERMINAL", "H", 50.0},  // only a low-power one is a locator
        {"HIGH", "LO", "HH", 75.0},
        {"HIGH", "TERMINAL", "HH", 75.0},
        {"", "", "MH", 25.0},
        {"", "TERMINAL", "MH", 25.0},
        {"UNKNOWN", "BOTH", "MH", 25.0},
    };
    for (const Case& c : cases) {
        const coverage::NdbClass ndbClass = navdb::ndbClassOf(c.power, c.usageType);
        EXPECT_STREQ(coverage::ndbClassName(ndbClass), c.className) << c.power << "/" << c.usageType;
        EXPECT_EQ(coverage::ndbServiceRangeNm(ndbClass), c.rangeNm) << c.power << "/" << c.usageType;
        EXPECT_EQ(coverage::parseNdbClass(c.className), ndbClass) << c.className;
    }
    EXPECT_FALSE(coverage::parseNdbClass("mh"));
    EXPECT_FALSE(coverage::parseNdbClass(""));
}
