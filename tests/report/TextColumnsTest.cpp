#include "TextColumns.h"

#include <gtest/gtest.h>

#include <string>

TEST(DisplayWidth, CountsCharactersNotBytes)
{
    EXPECT_EQ(DisplayWidth(""), 0u);
    EXPECT_EQ(DisplayWidth("VOR"), 3u);
    EXPECT_EQ(DisplayWidth("Z\u00fcrich"), 6u);       // two-byte letter
    EXPECT_EQ(DisplayWidth("\u20ac 5"), 3u);          // three-byte sign
    EXPECT_EQ(DisplayWidth("\U0001F6E9 1"), 3u);      // four-byte sign
}

TEST(AppendCell, FillsWithBlanksUpToTheWidth)
{
    std::string line = ">";
    AppendCell(line, "RW #", 5);
    AppendCell(line, "", 3);
    EXPECT_EQ(line, ">RW #    ");
}

TEST(AppendCell, WritesALongerTextWholeWithoutABlank)
{
    std::string line;
    AppendCell(line, "Oberrhein", 5);
    AppendCell(line, "x", 2);
    EXPECT_EQ(line, "Oberrheinx ");
    line.clear();
    AppendCell(line, "exact", 5);
    EXPECT_EQ(line, "exact");
}

TEST(AppendCell, PadsAccentedTextToTheSameColumnAsPlainText)
{
    std::string accented, plain;
    AppendCell(accented, "S\u00e3o Paulo", 12);
    AppendCell(plain, "Sao Paulo", 12);
    EXPECT_EQ(accented, "S\u00e3o Paulo   ");  // bytes kept, three blanks as for plain text
    EXPECT_EQ(accented.size(), plain.size() + 1);
    EXPECT_EQ(DisplayWidth(accented), DisplayWidth(plain));
}
