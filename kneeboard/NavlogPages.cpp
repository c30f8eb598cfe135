// SPDX-License-Identifier: GPL-3.0-or-later
#include "kneeboard/NavlogPages.h"

#include <algorithm>
#include <cmath>

namespace kneeboard {

std::vector<RowPage> paginateRows(std::size_t rows, const PageRoom& room)
{
    std::vector<RowPage> pages;
    std::size_t next = 0;
    bool carried = false;
    for (bool first = true;; first = false) {
        const double space = first ? room.firstPage : room.laterPage;
        const std::size_t fits = static_cast<std::size_t>(std::max(1.0, std::floor(space / room.row)));
        RowPage page{next, std::min(fits, rows - next), false};
        next += page.count;
        if (next == rows) {
            page.closing = space - page.count * room.row >= room.closing || page.count == 0;
            if (!page.closing && !carried && page.count > 1) {
                const std::size_t carry = std::min<std::size_t>(3, page.count - 1);
                page.count -= carry;
                next -= carry;
                carried = true;
            }
        }
        pages.push_back(page);
        if (page.closing)
            return pages;
    }
}

}  // namespace kneeboard
