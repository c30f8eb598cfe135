// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/TextColumns.h"

#include <gtest/gtest.h>

#include <string>

TEST(DisplayWidth, CountsCharactersNotBytes)
{
    EXPECT_EQ(base::displayWidth(""), 0u);
    EXPECT_EQ(base::displayWidth("VOR"), 3u);
    EXPECT_EQ(base::displayWidth("Z\u00fcrich"), 6u);       // two-byte letter
    EXPECT_EQ(base::displayWidth("\u20ac 5"), 3u);          // three-byte sign
    EXPECT_EQ(base::displayWidth("\U0001F6E9 1"), 3u);      // four-byte sign
}

TEST(AppendCell, FillsWithBlanksUpToTheWidth)
{
    std::string line = ">";
    base::appendCell(line, "RW #", 5);
    base::appendCell(line, "", 3);
    EXPECT_EQ(line, ">RW #    ");
}

TEST(AppendCell, WritesALongerTextWholeWithoutABlank)
{
    std::string line;
    base::appendCell(line, "Oberrhein", 5);
    base::appendCell(line, "x", 2);
    EXPECT_EQ(line, "Oberrheinx ");
    line.clear();
    base::appendCell(line, "exact", 5);
    EXPECT_EQ(line, "exact");
}

TEST(AppendCell, PadsAccentedTextToTheSameColumnAsPlainText)
{
    std::string accented, plain;
    base::appendCell(accented, "S\u00e3o Paulo", 12);
    base::appendCell(plain, "Sao Paulo", 12);
    EXPECT_EQ(accented, "S\u00e3o Paulo   ");  // bytes kept, three blanks as for plain text
    EXPECT_EQ(accented.size(), plain.size() + 1);
    EXPECT_EQ(base::displayWidth(accented), base::displayWidth(plain));
}
