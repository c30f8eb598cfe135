// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <vector>

namespace kneeboard {

// A page's share of the navlog's rows; the last such page closes with the
// totals.
struct RowPage {
    std::size_t first = 0;
    std::size_t count = 0;
    bool closing = false;
};

// The room each page has for rows and what the totals need, in points.
struct PageRoom {
    double firstPage = 0.0;  // below the plan's information and the headings
    double laterPage = 0.0;  // below the headings
    double row = 0.0;        // one row's height
    double closing = 0.0;    // the totals row and the lines under it
};

// The rows laid out on pages: as many whole rows as a page's room holds (at
// least one, so that a page too small for any still ends), the totals on
// the last page where they fit under its rows. A page of nothing but totals
// reads badly, so where they do not fit, up to three of the last rows go
// over with them (once; at least one row stays behind).
std::vector<RowPage> paginateRows(std::size_t rows, const PageRoom& room);

}  // namespace kneeboard
