// SPDX-License-Identifier: GPL-3.0-or-later
#include "route/AirportInfo.h"
#include "route/AirportLookup.h"
#include "data/DBException.h"
#include "tests/support/FixtureDb.h"
#include "data/Recordset.h"
#include "route/RowSink.h"

#include <gtest/gtest.h>

namespace {

class AirportInfoTest : public NavDbTest {
protected:
    std::string World() const override
    {
        return AirportRow(1, "KJFK", "John F Kennedy International", "N", 40, 63.94, "W", 73, 77.89,
                          "'North America','United States','New York','New York',13,128.725") +
               AirportRow(2, "XNONE", "No Facts", "S", 0, 5, "E", 0, 0.0, "'Europe','Testland','','',NULL,-1.0") +
               AirportRow(3, "O'HX", "Quote", "N", 1, 0, "E", 1, 0) +
               "INSERT INTO runways VALUES (1,'04L',12079,'Asphalt',110.9);"
               "INSERT INTO runways VALUES (1,'22R',12079,'Asphalt',-1.0);"
               "INSERT INTO runways VALUES (1,'-1.0',-1.0,'-1.0','-1.00');";
    }
};

}  // namespace

TEST_F(AirportInfoTest, TextsAreFormedAsThePanelsShowThem)
{
    CRecordset rs(db());
    rs.Open(CRecordset::forwardOnly, "SELECT * FROM airports WHERE id=1", CRecordset::none);
    AirportInfo info = ReadAirportInfo(rs);
    EXPECT_EQ(info.id, "1");
    EXPECT_EQ(info.name, "John F Kennedy International");
    EXPECT_EQ(info.latitude, "N40* 63.94'");
    EXPECT_EQ(info.longitude, "W73* 77.89'");
    EXPECT_EQ(info.elevation, "13 ft.");
    EXPECT_EQ(info.atis, "128.725");

    rs.Open(CRecordset::forwardOnly, "SELECT * FROM airports WHERE id=2", CRecordset::none);
    info = ReadAirportInfo(rs);
    EXPECT_EQ(info.elevation, " ft.");
    EXPECT_EQ(info.atis, "NA");
    EXPECT_EQ(info.longitude, "E0* 0.0'");
}

TEST_F(AirportInfoTest, RunwayRowsShowNAOnlyForAMissingIls)
{
    RowList runways(RUNWAY_COLUMNS);
    ListRunways(db(), "1", runways);
    ASSERT_EQ(runways.GetItemCount(), 3);
    EXPECT_EQ(runways.Rows()[0], (std::vector<std::string>{"04L", "12079", "Asphalt", "110.9"}));
    EXPECT_EQ(runways.Rows()[1], (std::vector<std::string>{"22R", "12079", "Asphalt", "NA"}));
    // REAL columns store -1.00 as -1.0, but Number and Type keep their text.
    EXPECT_EQ(runways.Rows()[2][0], "-1.0");
    EXPECT_EQ(runways.Rows()[2][2], "-1.0");

    RowList none(RUNWAY_COLUMNS);
    ListRunways(db(), "2", none);
    EXPECT_EQ(none.GetItemCount(), 0);
    EXPECT_THROW(ListRunways(db(), "", none), CDBException);
}

TEST_F(AirportInfoTest, AirportsAreFoundByIdentInAnyCaseOrByID)
{
    EXPECT_EQ(FindAirportID(db(), "KJFK"), "1");
    EXPECT_EQ(FindAirportID(db(), "kjfk"), "1");
    EXPECT_EQ(FindAirportID(db(), "#2"), "2");
    EXPECT_EQ(FindAirportID(db(), "o'hx"), "3");
    EXPECT_EQ(FindAirportID(db(), "KXXX"), "");
    EXPECT_EQ(FindAirportID(db(), "#99"), "");
    EXPECT_EQ(FindAirportID(db(), "#1 OR 1=1"), "");
    EXPECT_EQ(FindAirportID(db(), "#"), "");
}
