// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace search {

// The form in which airport names, cities and codes are stored for the
// airport search and in which typed text is compared with them: accents
// transliterated to ASCII ("Zürich" → "zurich", "Øresund" → "oeresund"),
// letters in lower case, apostrophes dropped ("St. John's" → "st johns"),
// every other run of characters that is neither letter nor digit one blank,
// none at either end. A key therefore holds only a-z, 0-9 and single blanks,
// none of which is special to SQL's GLOB or LIKE. Text that is not valid UTF-8 is
// repaired first; a character without an ASCII form counts as a separator.
std::string searchKey(std::string_view text);

}  // namespace search
