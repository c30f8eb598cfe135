// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace base {

// Number of characters (UTF-8 code points) in text: a byte that continues
// a character is not counted, so a cut inside a character counts as far as
// it got.
std::size_t displayWidth(std::string_view text);

// Appends text to line, followed by blanks up to width characters. A longer
// text is appended whole and nothing is added.
void appendCell(std::string& line, std::string_view text, std::size_t width);

}  // namespace base
