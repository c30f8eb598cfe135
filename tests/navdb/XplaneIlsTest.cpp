// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/NavdbError.h"
#include "tests/navdb/NavdbTestSupport.h"
#include "tools/navdb/XplaneIls.h"

#include <zlib.h>

#include <gtest/gtest.h>

using navdb::IlsTable;
using navdb::normalizeRunwayIdent;
using navdb::readXplaneIls;
using navdb::SkippedRows;

namespace {

void writeGzip(const std::string& path, const std::string& text)
{
    gzFile file = gzopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(gzwrite(file, text.data(), static_cast<unsigned>(text.size())), static_cast<int>(text.size()));
    ASSERT_EQ(gzclose(file), Z_OK);
}

}  // namespace

TEST(RunwayIdent, LeadingZerosAndCaseDoNotMatter)
{
    EXPECT_EQ(normalizeRunwayIdent("04L"), "4L");
    EXPECT_EQ(normalizeRunwayIdent("4l"), "4L");
    EXPECT_EQ(normalizeRunwayIdent("09"), "9");
    EXPECT_EQ(normalizeRunwayIdent("36"), "36");
    EXPECT_EQ(normalizeRunwayIdent("10"), "10");
    // Zeros that are not padding in front of a digit stay.
    EXPECT_EQ(normalizeRunwayIdent("0"), "0");
    EXPECT_EQ(normalizeRunwayIdent("00"), "0");
    EXPECT_EQ(normalizeRunwayIdent("0L"), "0L");
    EXPECT_EQ(normalizeRunwayIdent("H1"), "H1");
}

TEST(IlsTable, MatchesEitherSpellingAndPrefersFullIlsOverLocalizer)
{
    IlsTable table;
    table.add("KJFK", "4L", 4, 110.9);
    table.add("UUEE", "07L", 5, 108.1);
    table.add("UUEE", "07L", 4, 108.3);
    table.add("UUEE", "07L", 4, 108.5);  // a second full ILS: the first stays
    table.add("EGLL", "09R", 4, 110.3);
    table.add("EGLL", "09R", 5, 109.9);
    EXPECT_EQ(table.find("KJFK", "04L"), 110.9);
    EXPECT_EQ(table.find("kjfk", "4l"), 110.9);
    EXPECT_EQ(table.find("UUEE", "7L"), 108.3);
    EXPECT_EQ(table.find("EGLL", "09R"), 110.3);
    EXPECT_FALSE(table.find("KJFK", "4R").has_value());
    EXPECT_FALSE(table.find("KLGA", "4L").has_value());
}

TEST(XplaneIls, ReadsPlainAndGzippedFilesAlike)
{
    navdb::test::TempDir dir;
    const std::string text = navdb::test::readFile(navdb::test::fixtureDir("world") + "/nav.dat");
    writeGzip(dir.file("nav.dat.gz"), text);

    for (const std::string& path : {navdb::test::fixtureDir("world") + "/nav.dat", dir.file("nav.dat.gz")}) {
        SkippedRows skipped(path);
        const IlsTable table = readXplaneIls(path, skipped);
        EXPECT_EQ(table.size(), 5u) << path;
        EXPECT_EQ(table.find("KJFK", "04L"), 110.9) << path;
        EXPECT_EQ(table.find("UUEE", "25R"), 110.1) << path;
        // Rows after the end marker 99 do not count.
        EXPECT_FALSE(table.find("KJFK", "31L").has_value()) << path;
        EXPECT_EQ(skipped.count(), 1u) << path;
        ASSERT_FALSE(skipped.firstReasons().empty());
        EXPECT_NE(skipped.firstReasons()[0].find(path + ":10:"), std::string::npos) << skipped.firstReasons()[0];
    }
}

TEST(XplaneIls, NewerFormatHasARegionColumnBeforeTheRunway)
{
    navdb::test::TempDir dir;
    navdb::test::writeFile(dir.file("nav.dat"),
                           "I\n1100 Version - newer layout\n"
                           "4  47.43 -122.31  338 11030  18 180.343 ISNQ KSEA K1 16L ILS-cat-I\n"
                           "99\n");
    SkippedRows skipped("nav.dat");
    const IlsTable table = readXplaneIls(dir.file("nav.dat"), skipped);
    EXPECT_EQ(table.find("KSEA", "16L"), 110.3);
    EXPECT_FALSE(table.find("KSEA", "K1").has_value());
}

TEST(XplaneIls, MissingOrTruncatedFileIsAnError)
{
    navdb::test::TempDir dir;
    SkippedRows skipped("nav.dat");
    EXPECT_THROW(readXplaneIls(dir.file("absent.dat.gz"), skipped), navdb::NavdbError);
    EXPECT_THROW(readXplaneIls(dir.path(), skipped), navdb::NavdbError);

    std::string lines = "I\n810 Version\n";
    for (int i = 0; i < 2000; ++i) {
        lines += "4  40.65 -73.76 13 11090 18 30.664 IHIQ KJFK 4L ILS-cat-I\n";
    }
    writeGzip(dir.file("whole.gz"), lines);
    const std::string compressed = navdb::test::readFile(dir.file("whole.gz"));
    navdb::test::writeFile(dir.file("cut.gz"), compressed.substr(0, compressed.size() / 2));
    EXPECT_THROW(readXplaneIls(dir.file("cut.gz"), skipped), navdb::NavdbError);
}

TEST(XplaneIls, EmptyCutOrForeignFileIsAnErrorNamingIt)
{
    navdb::test::TempDir dir;
    SkippedRows skipped("nav.dat");
    const std::string ils = "4  40.65 -73.76 13 11090 18 30.664 IHIQ KJFK 4L ILS-cat-I\n";
    std::string noise;
    for (int i = 0; i < 3000; ++i) {
        noise.push_back(static_cast<char>((i * 7919 + 13) % 251));
    }
    const std::pair<const char*, std::string> broken[] = {
        {"empty.dat", ""},
        {"no-end.dat", "I\n810 Version\n" + ils},
        {"header-only.dat", "I\n"},
        {"noise.dat", noise},
    };
    for (const auto& [name, text] : broken) {
        navdb::test::writeFile(dir.file(name), text);
        try {
            readXplaneIls(dir.file(name), skipped);
            ADD_FAILURE() << name << " was read without an error";
        } catch (const navdb::NavdbError& error) {
            EXPECT_NE(std::string(error.what()).find(dir.file(name)), std::string::npos) << error.what();
        }
    }
    // Copies whose first line is blank instead of I are complete all the same.
    navdb::test::writeFile(dir.file("blank.dat"), "\r\n810 Version\r\n" + ils + "99\r\n");
    EXPECT_EQ(readXplaneIls(dir.file("blank.dat"), skipped).find("KJFK", "4L"), 110.9);
}
