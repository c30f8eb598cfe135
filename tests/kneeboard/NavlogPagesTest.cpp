// SPDX-License-Identifier: GPL-3.0-or-later
// The navlog's rows on pages, worked out by hand: whole rows to a page,
// the totals under the last rows where they fit, and the last rows carried
// over with the totals where they do not.

#include "kneeboard/NavlogPages.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "0+10 10+5 T": the pages' first row and count, T where the totals close.
std::string layout(const std::vector<kneeboard::RowPage>& pages)
{
    std::string text;
    for (const kneeboard::RowPage& page : pages) {
        if (!text.empty())
            text += ' ';
        text += std::to_string(page.first) + "+" + std::to_string(page.count) + (page.closing ? " T" : "");
    }
    return text;
}

}  // namespace

TEST(NavlogPages, RowsTotalsAndTheCarriedLegs)
{
    // Rows of 24 pt; the first page holds 240 pt (ten rows), the later
    // ones 480 pt (twenty); the totals need 60 pt.
    const kneeboard::PageRoom room{240.0, 480.0, 24.0, 60.0};
    const struct {
        std::size_t rows;
        const char* pages;
    } checked[] = {
        {1, "0+1 T"},
        // 7 rows leave 72 pt: the totals fit.
        {7, "0+7 T"},
        // 8 rows leave 48 pt: the last three rows go over with the totals.
        {8, "0+5 5+3 T"},
        // A full first page: three rows over.
        {10, "0+7 7+3 T"},
        // One row over on its own page, with room for the totals.
        {11, "0+10 10+1 T"},
        // 28 rows: 18 on the second page leave 48 pt, so three go on.
        {28, "0+10 10+15 25+3 T"},
        // 27 rows: 17 on the second page leave 72 pt.
        {27, "0+10 10+17 T"},
        // Two full pages: the last three rows and the totals on a third.
        {30, "0+10 10+17 27+3 T"},
    };
    for (const auto& c : checked)
        EXPECT_EQ(layout(kneeboard::paginateRows(c.rows, room)), c.pages) << c.rows << " rows";
}

TEST(NavlogPages, CarriedOnceAndAtLeastOneRowStaysBehind)
{
    // Pages of two rows whose totals never fit under a row: the last row
    // goes over once; after that the totals stand alone where they must.
    const kneeboard::PageRoom tight{48.0, 48.0, 24.0, 30.0};
    EXPECT_EQ(layout(kneeboard::paginateRows(2, tight)), "0+1 1+1 2+0 T");
    EXPECT_EQ(layout(kneeboard::paginateRows(5, tight)), "0+2 2+2 4+1 5+0 T");
    // A single row does not leave its page for the totals' sake.
    EXPECT_EQ(layout(kneeboard::paginateRows(1, tight)), "0+1 1+0 T");
    // A page smaller than a row still takes one.
    const kneeboard::PageRoom tiny{10.0, 10.0, 24.0, 30.0};
    EXPECT_EQ(layout(kneeboard::paginateRows(2, tiny)), "0+1 1+1 2+0 T");
    // Totals that just fit (exactly the room left) close the page.
    const kneeboard::PageRoom exact{96.0, 96.0, 24.0, 48.0};
    EXPECT_EQ(layout(kneeboard::paginateRows(2, exact)), "0+2 T");
    EXPECT_EQ(layout(kneeboard::paginateRows(3, exact)), "0+1 1+2 T");
}
