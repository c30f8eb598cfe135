// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace base {

// One rule for text from the database that is no valid UTF-8, in every
// output (flight-plan files, maps, reports, messages): each byte that does
// not belong to a valid character becomes U+FFFD, so a damaged name reads
// the same everywhere and no reader rejects the file for it.
std::string validUtf8(std::string_view bytes);

// validUtf8 with each character for which `drop` is true replaced by
// `replacement` (which may be empty).
std::string validUtf8Without(std::string_view bytes, bool (*drop)(char32_t), std::string_view replacement);

// validUtf8, with control characters (C0, DEL and C1) as spaces: fit for a
// map label, which cairo would refuse whole for one invalid string.
std::string labelText(std::string_view bytes);

// Number of characters in text as validUtf8 reads it: what a column of
// text takes on a screen of fixed-width characters.
std::size_t characterCount(std::string_view text);

// Where to cut text to at most limit bytes without splitting a UTF-8
// character: limit itself, or the start of the character it would split. A
// text that is no UTF-8 is still cut within three bytes of the limit.
std::size_t utf8CutPoint(std::string_view text, std::size_t limit);

}  // namespace base
