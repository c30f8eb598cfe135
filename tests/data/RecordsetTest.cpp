// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/DBException.h"
#include "tests/support/FixtureDb.h"
#include "data/Quoting.h"
#include "data/Recordset.h"

#include <gtest/gtest.h>

namespace {

class RecordsetTest : public NavDbTest {
protected:
    std::string World() const override
    {
        return AirportRow(1, "CYYT", "St. John's International", "N", 47, 61.86, "W", 52, 75.19,
                          "'North America','Canada','Newfoundland and Labrador','St. John''s',461,128.725") +
               AirportRow(2, "KNUL", "Nulls Field", "N", 40, 0.0, "W", 73, 0.0,
                          "'North America','United States','New York','',NULL,-1.0") +
               "INSERT INTO runways VALUES (1,'11',8502,'Asphalt',109.7);"
               "INSERT INTO runways VALUES (1,'29',8502,'Asphalt',-1.0);"
               "INSERT INTO Regions VALUES ('North America');";
    }

    std::string Read(CRecordset& rs, const std::string& column)
    {
        std::string value = "(unset)";
        rs.GetFieldValue(column, value);
        return value;
    }
};

}  // namespace

TEST_F(RecordsetTest, ValuesReadBackAsTheDatabaseWritesThem)
{
    CRecordset rs(db());
    ASSERT_TRUE(rs.Open(CRecordset::forwardOnly, "SELECT * FROM airports WHERE id=1", CRecordset::none));
    EXPECT_EQ(Read(rs, "ID"), "1");
    EXPECT_EQ(Read(rs, "Frequency"), "128.725");
    EXPECT_EQ(Read(rs, "LatMinor"), "61.86");
    EXPECT_EQ(Read(rs, "LatMajor"), "47");
    EXPECT_EQ(Read(rs, "Elevation"), "461");
    EXPECT_EQ(Read(rs, "Name"), "St. John's International");
}

TEST_F(RecordsetTest, NullReadsAsEmptyAndMissingFrequencyAsMinusOnePointZero)
{
    CRecordset rs(db());
    rs.Open(CRecordset::forwardOnly, "SELECT * FROM airports WHERE id=2", CRecordset::none);
    EXPECT_EQ(Read(rs, "Elevation"), "");
    EXPECT_EQ(Read(rs, "Frequency"), "-1.0");
    EXPECT_EQ(FrequencyText(Read(rs, "Frequency")), "NA");
    EXPECT_EQ(Read(rs, "LongMinor"), "0.0");
}

TEST_F(RecordsetTest, EmptyResultIsAtEndRightAfterOpenAndAnyReadFails)
{
    CRecordset rs(db());
    ASSERT_TRUE(rs.Open(CRecordset::forwardOnly, "SELECT * FROM airports WHERE id=99", CRecordset::none));
    EXPECT_TRUE(rs.IsEOF());
    std::string value;
    EXPECT_THROW(rs.GetFieldValue("Name", value), CDBException);
    EXPECT_THROW(rs.MoveNext(), CDBException);
}

TEST_F(RecordsetTest, ColumnNamesMatchWithLetterCase)
{
    CRecordset rs(db());
    rs.Open(CRecordset::forwardOnly, "SELECT * FROM airports WHERE id=1", CRecordset::none);
    std::string value;
    EXPECT_NO_THROW(rs.GetFieldValue("ID", value));
    try {
        rs.GetFieldValue("id", value);
        FAIL() << "a lower-case name matched";
    } catch (const CDBException& e) {
        EXPECT_NE(std::string(e.what()).find("id"), std::string::npos);
    }
    // A select list's own spelling is the column's name, whatever the
    // table declares.
    rs.Open(CRecordset::forwardOnly, "SELECT DISTINCT name FROM airports ORDER BY name", CRecordset::none);
    EXPECT_EQ(Read(rs, "name"), "Nulls Field");
    EXPECT_THROW(rs.GetFieldValue("Name", value), CDBException);
    rs.Open(CRecordset::forwardOnly, "SELECT Airports.NAME, ident FROM airports WHERE id=1", CRecordset::none);
    EXPECT_EQ(Read(rs, "NAME"), "St. John's International");
    EXPECT_EQ(Read(rs, "ident"), "CYYT");
}

TEST_F(RecordsetTest, JoinedRowsKeepEachTablesColumnNames)
{
    CRecordset rs(db());
    rs.Open(CRecordset::forwardOnly,
            "SELECT * FROM runways,airports WHERE runways.airport_id=airports.ID AND airports.ID=1",
            CRecordset::none);
    std::vector<std::string> rows;
    while (!rs.IsEOF()) {
        rows.push_back(Read(rs, "Number") + "|" + Read(rs, "Length") + "|" + Read(rs, "Type") + "|" +
                       FrequencyText(Read(rs, "ILS")) + "|" + Read(rs, "Name"));
        rs.MoveNext();
    }
    EXPECT_EQ(rows, (std::vector<std::string>{"11|8502|Asphalt|109.7|St. John's International",
                                              "29|8502|Asphalt|NA|St. John's International"}));
    EXPECT_THROW(rs.MoveNext(), CDBException);
}

TEST_F(RecordsetTest, AnUnescapedApostropheIsRejectedAndTheEscapedTextFindsTheRow)
{
    CRecordset rs(db());
    std::string city = "St. John's";
    try {
        rs.Open(CRecordset::forwardOnly, "SELECT * FROM airports WHERE city='" + city + "'", CRecordset::none);
        FAIL() << "the data source accepted a broken text";
    } catch (const CDBException& e) {
        std::string text = e.what();
        EXPECT_NE(text.find("syntax error"), std::string::npos) << text;
        EXPECT_NE(text[0], '[') << text;
        EXPECT_EQ(text.back(), '\n');
    }
    EXPECT_FALSE(rs.IsOpen());
    rs.Open(CRecordset::forwardOnly, "SELECT * FROM airports WHERE city='" + EscapeQuotes(city) + "'",
            CRecordset::none);
    EXPECT_EQ(Read(rs, "Ident"), "CYYT");
}

TEST_F(RecordsetTest, UnknownTableIsADatabaseError)
{
    CRecordset rs(db());
    EXPECT_THROW(rs.Open(CRecordset::forwardOnly, "SELECT * FROM nowhere WHERE id=1", CRecordset::none),
                 CDBException);
    EXPECT_THROW(rs.Open(CRecordset::forwardOnly, "SELECT * FROM airports WHERE id=", CRecordset::none),
                 CDBException);
}

TEST_F(RecordsetTest, ReopenedWithNewTextReadsTheNewResultFromItsFirstRow)
{
    CRecordset rs(db());
    rs.Open(CRecordset::forwardOnly, "SELECT * FROM runways ORDER BY Number", CRecordset::none);
    rs.MoveNext();
    EXPECT_EQ(Read(rs, "Number"), "29");
    rs.Close();
    rs.Open(CRecordset::forwardOnly, "SELECT * FROM airports ORDER BY ID DESC", CRecordset::none);
    EXPECT_EQ(Read(rs, "Ident"), "KNUL");
}

TEST_F(RecordsetTest, LongTextIsReadWhole)
{
    std::string longName(5000, 'x');
    longName[4999] = 'z';
    ExecuteSqlScript("VORS.MDB", "UPDATE airports SET Name='" + longName + "' WHERE ID=2;");
    CRecordset rs(db());
    rs.Open(CRecordset::forwardOnly, "SELECT * FROM airports WHERE id=2", CRecordset::none);
    EXPECT_EQ(Read(rs, "Name"), longName);
}

TEST_F(RecordsetTest, SeveralStatementsAreActiveAtOnceAndEveryOneIsCounted)
{
    std::uint64_t before = db()->GetStatementCount();
    CRecordset outer(db());
    outer.Open(CRecordset::forwardOnly, "SELECT * FROM runways", CRecordset::none);
    int rows = 0;
    while (!outer.IsEOF()) {
        CRecordset inner(db());
        inner.Open(CRecordset::forwardOnly, "SELECT * FROM airports WHERE id=" + Read(outer, "airport_id"),
                   CRecordset::none);
        EXPECT_EQ(Read(inner, "Ident"), "CYYT");
        outer.MoveNext();
        ++rows;
    }
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(db()->GetStatementCount() - before, 3u);
}
