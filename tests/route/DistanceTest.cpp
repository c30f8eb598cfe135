// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/DBException.h"
#include "route/Distance.h"
#include "tests/support/FixtureDb.h"
#include "route/Position.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(Position, TextRunsDirectionDegreesAndHundredthsTogether)
{
    EXPECT_EQ(PositionText("N", "40", "63.94"), "N40* 63.94'");
    EXPECT_EQ(PositionText("W", "0", "0.0"), "W0* 0.0'");
    EXPECT_EQ(PositionText("", "", ""), "* '");
}

TEST(Position, CoordinatesAreSinglePrecisionHundredthsOfADegree)
{
    EXPECT_EQ(static_cast<double>(SignedDegrees("N", "40", "38")), 40.380001068115234);
    EXPECT_EQ(SignedDegrees("S", "40", "38"), -SignedDegrees("N", "40", "38"));
    EXPECT_EQ(SignedDegrees("W", "10", "100"), -11.0f);  // Minor is not limited to 99
    EXPECT_EQ(SignedDegrees("N", "10", "0.0"), 10.0f);
    EXPECT_THROW(SignedDegrees("N", "", "0"), CDBException);
    EXPECT_THROW(SignedDegrees("N", "10", "x"), CDBException);
    // Whatever the text, the number is what "%f" reads from it.
    EXPECT_EQ(SignedDegrees("N", " 10", "38abc"), SignedDegrees("N", "10", "38"));
    EXPECT_EQ(SignedDegrees("N", "1e1", "3.8e1"), SignedDegrees("N", "10", "38"));
    EXPECT_EQ(SignedDegrees("N", "10.", "-0"), 10.0f);
    EXPECT_THROW(SignedDegrees("N", "10", "-"), CDBException);
    // The sum is formed in double and rounded once: not 1.19000006f.
    EXPECT_EQ(SignedDegrees("N", "1", "19"), 1.18999994f);
    // No place on earth: damaged rows, not numbers to measure with.
    EXPECT_THROW(SignedDegrees("N", "nan", "0"), CDBException);
    EXPECT_THROW(SignedDegrees("N", "10", "inf"), CDBException);
    EXPECT_THROW(SignedDegrees("E", "361", "0"), CDBException);
}

TEST(Position, WholeDegreesReadTheLeadingInteger)
{
    EXPECT_EQ(WholeDegrees("40"), 40);
    EXPECT_EQ(WholeDegrees("40.7"), 40);
    EXPECT_EQ(WholeDegrees("-3"), -3);
    EXPECT_THROW(WholeDegrees(""), CDBException);
    EXPECT_EQ(WholeDegrees("-360"), -360);
    for (const char* damaged : {"361", "-361", "2147483648", "99999999999999999999"}) {
        try {
            WholeDegrees(damaged);
            ADD_FAILURE() << damaged << " was read";
        } catch (const CDBException& e) {
            EXPECT_NE(std::string(e.what()).find(damaged), std::string::npos) << e.what();
        }
    }
}

TEST(Position, LongitudeDifferenceGoesTheShortWayRound)
{
    EXPECT_DOUBLE_EQ(LongitudeDifference(10.0f, 12.5f), 2.5);
    EXPECT_DOUBLE_EQ(LongitudeDifference(-0.5f, 0.5f), 1.0);
    EXPECT_NEAR(LongitudeDifference(179.5f, -179.5f), 1.0, 1e-5);
    EXPECT_NEAR(LongitudeDifference(-179.5f, 179.5f), 1.0, 1e-5);
}

namespace {

class DistanceTest : public NavDbTest {
protected:
    std::string World() const override
    {
        return AirportRow(1, "A10", "Ten", "N", 10, 0, "E", 5, 0) +
               AirportRow(2, "A11", "Eleven", "N", 11, 0, "E", 5, 0) +
               AirportRow(3, "KX", "Worked", "N", 40, 38, "W", 73, 47) +
               AirportRow(4, "KY", "Worked B", "N", 41, 0, "W", 74, 10) +
               AirportRow(5, "EGLL", "London Heathrow", "N", 51, 47, "W", 0, 46) +
               AirportRow(6, "LFPG", "Paris Charles de Gaulle", "N", 49, 1, "E", 2, 55) +
               NavRow(1, "North of line", "N", 0, 50, "E", 20, 0) +
               NavRow(2, "South of line", "S", 0, 50, "E", 20, 0) +
               NavRow(3, "Date line east", "N", 10, 0, "E", 179, 50) +
               NavRow(4, "Date line west", "N", 10, 0, "W", 179, 50) +
               NavRow(5, "Mirror", "S", 10, 0, "W", 5, 0) + NavRow(6, "Broken", "N", 10, 0, "E", 5, 0);
    }

    double Distance(const std::string& a, const std::string& b, const std::string& ta, const std::string& tb)
    {
        return GetDistance(db(), a, b, ta, tb);
    }
};

}  // namespace

TEST_F(DistanceTest, SamePointIsExactlyZeroAndOrderDoesNotMatter)
{
    EXPECT_EQ(Distance("3", "3", "airports", "airports"), 0.0);
    double ab = Distance("3", "4", "airports", "airports");
    double ba = Distance("4", "3", "airports", "airports");
    EXPECT_EQ(std::memcmp(&ab, &ba, sizeof ab), 0);
}

TEST_F(DistanceTest, OneDegreeIsNauticalMilesPerDegree)
{
    EXPECT_EQ(Distance("1", "2", "airports", "airports"), 60.059);
}

TEST_F(DistanceTest, WorkedExampleIsFlatOnHundredthsOfADegree)
{
    EXPECT_NEAR(Distance("3", "4", "airports", "airports"), 53.0867, 5e-5);
}

TEST_F(DistanceTest, HemispheresAreSignedSoCrossingPointsAreNotShort)
{
    // 0.5 N to 0.5 S is a whole degree, not the nothing of equal magnitudes.
    EXPECT_NEAR(Distance("1", "2", "navs", "navs"), 60.059, 1e-4);
    // 179.5 E to 179.5 W: one degree across the date line, not 359.
    EXPECT_NEAR(Distance("3", "4", "navs", "navs"), 60.059, 1e-3);
    // Mirror images are far apart.
    EXPECT_GT(Distance("5", "1", "navs", "airports"), 1000.0);
    // London to Paris crosses the prime meridian: 3.01 degrees of longitude
    // and 2.46 of latitude, not the 194 nm of the magnitudes alone.
    EXPECT_NEAR(Distance("5", "6", "airports", "airports"), 233.47, 0.01);
}

TEST_F(DistanceTest, BetweenTablesUsesEachPointsOwnRow)
{
    // navs 6 and airports 1 share coordinates but not IDs or tables.
    EXPECT_EQ(Distance("6", "1", "navs", "airports"), 0.0);
    EXPECT_EQ(Distance("6", "2", "navs", "airports"), 60.059);
}

TEST_F(DistanceTest, MissingPointIsADatabaseErrorAndEachCallQueriesBothPoints)
{
    std::uint64_t before = db()->GetStatementCount();
    Distance("1", "2", "airports", "airports");
    EXPECT_EQ(db()->GetStatementCount() - before, 2u);
    EXPECT_THROW(Distance("1", "999", "airports", "airports"), CDBException);
    EXPECT_THROW(Distance("1", "1", "nowhere", "airports"), CDBException);
    EXPECT_THROW(Distance("x", "1", "airports", "airports"), CDBException);
}

TEST_F(DistanceTest, ADamagedCoordinateIsAnErrorNamingTheText)
{
    ExecuteSqlScript("VORS.MDB", "UPDATE navs SET LatMinor='' WHERE ID=6;");
    try {
        Distance("6", "1", "navs", "airports");
        FAIL() << "an empty coordinate was measured";
    } catch (const CDBException& e) {
        EXPECT_NE(std::string(e.what()).find("\"\""), std::string::npos) << e.what();
    }
}
