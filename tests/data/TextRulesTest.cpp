// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/ConnectionString.h"
#include "data/DBException.h"
#include "data/OdbcDriverSetup.h"
#include "data/Quoting.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(ConnectionString, IsTheFixedTextOf178Characters)
{
    EXPECT_EQ(std::strlen(NAVDB_CONNECT_STRING), 178u);
    EXPECT_STREQ(NAVDB_CONNECT_STRING,
                 "ODBC;DRIVER=Microsoft Access Driver (*.mdb);DBQ=VORS.MDB;UserCommitSync=Yes;Threads=3;"
                 "SafeTransactions=0;PageTimeout=5;MaxScanRows=8;MaxBufferSize=512;UID=Dorn41;PWD=Vexor7730162");
}

TEST(ConnectionString, KeywordsAreFoundWithoutRegardToCase)
{
    EXPECT_EQ(ConnectKeyword(NAVDB_CONNECT_STRING + 5, "driver"), "Microsoft Access Driver (*.mdb)");
    EXPECT_EQ(ConnectKeyword(NAVDB_CONNECT_STRING + 5, "DBQ"), "VORS.MDB");
    EXPECT_EQ(ConnectKeyword(NAVDB_CONNECT_STRING + 5, "PWD"), "Vexor7730162");
    EXPECT_EQ(ConnectKeyword(NAVDB_CONNECT_STRING + 5, "Database"), "");
    EXPECT_EQ(ConnectKeyword("DRIVER={My;Driver};DBQ=x", "DBQ"), "x");
    EXPECT_EQ(ConnectKeyword("DRIVER={My;Driver};DBQ=x", "DRIVER"), "My;Driver");
}

// Text in, text out: what each rule makes of the cases where a slip would hide.
TEST(TextRules, QuotesAreDoubledAndOnlyTheExactMinusOnePointZeroIsNA)
{
    using Rule = std::string (*)(const std::string&);
    const struct {
        Rule rule;
        const char* in;
        const char* out;
    } cases[] = {
        {EscapeQuotes, "St. John's", "St. John''s"},
        {EscapeQuotes, "''", "''''"},
        {EscapeQuotes, "", ""},
        {EscapeQuotes, "Zürich \\ 100% [x]", "Zürich \\ 100% [x]"},
        {EscapeQuotes, "'", "''"},
        {FrequencyText, "-1.0", "NA"},
        {FrequencyText, "-1", "-1"},
        {FrequencyText, "-1.00", "-1.00"},
        {FrequencyText, " -1.0", " -1.0"},
        {FrequencyText, "", ""},
        {FrequencyText, "128.725", "128.725"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.rule(c.in), c.out) << c.in;
}

TEST(DiagnosticsReport, StripsLeadingOriginTagsAndEndsEachMessageWithALineBreak)
{
    EXPECT_EQ(FormatDiagnostics({"[unixODBC][Driver Manager]Can't open lib 'x' : file not found"}),
              "Can't open lib 'x' : file not found\n");
    EXPECT_EQ(FormatDiagnostics({"[SQLite] near \"b\": syntax error (1)", "second [kept] text"}),
              "near \"b\": syntax error (1)\nsecond [kept] text\n");
    // An unclosed bracket is text, not a tag; tags only count at the start.
    EXPECT_EQ(StripOriginTags("[unclosed message"), "[unclosed message");
    EXPECT_EQ(StripOriginTags("[a] [b]text"), "text");
    EXPECT_EQ(StripOriginTags("[a]  two blanks"), " two blanks");
}

TEST(DiagnosticsReport, IsCutTo510Characters)
{
    std::string report = FormatDiagnostics({std::string(400, 'a'), std::string(400, 'b')});
    EXPECT_EQ(report.size(), 510u);
    EXPECT_EQ(report.substr(0, 401), std::string(400, 'a') + "\n");
}

TEST(DiagnosticsReport, TheCutNeverSplitsAUtf8Character)
{
    // A split character would make the whole report undecodable as UTF-8.
    for (const std::string character : {"\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9D\x84\x9E"}) {
        const std::size_t fits = 510 - character.size();
        for (std::size_t start = fits; start < 510; ++start) {
            std::string before(start, 'a');
            EXPECT_EQ(FormatDiagnostics({before + character + "zz"}), start == fits ? before + character : before)
                << character.size() << "-byte character at byte " << start;
        }
    }
}
