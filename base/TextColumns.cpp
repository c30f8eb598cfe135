// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/TextColumns.h"

namespace base {

// Columns are counted in characters rather than bytes: padding by bytes would
// shift every column after a name such as Zürich or São Paulo one place left
// per accented letter. The bytes themselves are never changed.
std::size_t displayWidth(std::string_view text)
{
    std::size_t width = 0;
    for (unsigned char byte : text) {
        if ((byte & 0xC0) != 0x80)  // not a continuation byte
            ++width;
    }
    return width;
}

void appendCell(std::string& line, std::string_view text, std::size_t width)
{
    line.append(text);
    std::size_t used = displayWidth(text);
    if (used < width)
        line.append(width - used, ' ');
}

}  // namespace base
