// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/CsvReader.h"
#include "tools/navdb/NavdbError.h"

#include <gtest/gtest.h>

using navdb::CsvHeader;
using navdb::CsvReader;
using navdb::CsvRecord;
using Fields = std::vector<std::string>;

namespace {

std::vector<CsvRecord> readAll(const std::string& text)
{
    CsvReader reader = CsvReader::fromText(text, "test.csv");
    std::vector<CsvRecord> records;
    CsvRecord record;
    while (reader.next(record)) {
        records.push_back(record);
    }
    return records;
}

}  // namespace

TEST(CsvReader, QuotedFieldsKeepCommasQuotesAndLineBreaks)
{
    const auto records = readAll("\"a, b\",\"say \"\"hi\"\"\",\"two\nlines\",\"\"\"\"\n");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].fields, (Fields{"a, b", "say \"hi\"", "two\nlines", "\""}));
}

TEST(CsvReader, EmptyFieldsAndCodesThatLookLikeMissingValuesStayAsWritten)
{
    const auto records = readAll("NA,,\"\",NULL,\n");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].fields, (Fields{"NA", "", "", "NULL", ""}));
}

TEST(CsvReader, LineNumbersCountLineBreaksInsideQuotesAndSkippedBlankLines)
{
    const auto records = readAll("h1,h2\r\n\"x\r\ny\",1\r\n\r\nlast,2");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1].fields, (Fields{"x\r\ny", "1"}));
    EXPECT_EQ(records[0].line, 1u);
    EXPECT_EQ(records[1].line, 2u);
    EXPECT_EQ(records[2].line, 5u);
    EXPECT_EQ(records[2].fields, (Fields{"last", "2"}));  // no line break at the end
}

TEST(CsvReader, ByteOrderMarkIsNotPartOfTheFirstColumnName)
{
    CsvReader reader = CsvReader::fromText("\xEF\xBB\xBFid,ident\n1,KJFK\n", "bom.csv");
    CsvHeader header(reader);
    EXPECT_EQ(header.require("id"), 0u);
}

TEST(CsvReader, StrayQuotesAreKeptInsteadOfLosingTheRow)
{
    const auto records = readAll("5'10\" strip,\"quoted\"tail,x\n");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].fields, (Fields{"5'10\" strip", "quotedtail", "x"}));
}

TEST(CsvReader, UnclosedQuoteIsFlagged)
{
    const auto records = readAll("ok,1\n\"never closed,2\nmore,3\n");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_FALSE(records[0].unterminated);
    EXPECT_TRUE(records[1].unterminated);
}

TEST(CsvHeader, FindsColumnsByNameAndNamesFileAndColumnWhenMissing)
{
    CsvReader reader = CsvReader::fromText("\"ident\",\"type\",\"name\"\n", "dir/airports.csv");
    CsvHeader header(reader);
    EXPECT_EQ(header.require("name"), 2u);
    try {
        header.require("municipality");
        FAIL() << "a missing column must be an error";
    } catch (const navdb::NavdbError& error) {
        EXPECT_NE(std::string(error.what()).find("dir/airports.csv"), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find("municipality"), std::string::npos) << error.what();
    }
}

TEST(CsvHeader, EmptyFileIsAnError)
{
    CsvReader reader = CsvReader::fromText("", "empty.csv");
    EXPECT_THROW(CsvHeader header(reader), navdb::NavdbError);
}

TEST(CsvReader, MissingFileIsAnErrorNamingIt)
{
    try {
        CsvReader::fromFile("/nonexistent/navdb/runways.csv");
        FAIL() << "a missing file must be an error";
    } catch (const navdb::NavdbError& error) {
        EXPECT_NE(std::string(error.what()).find("/nonexistent/navdb/runways.csv"), std::string::npos);
    }
}
