// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace base {

// Numbers read and written the same way whatever locale the process runs
// in: a window may set one whose decimal mark is a comma, and files for
// simulators and scripts must still carry a point.

// A finite decimal number filling the text (blanks around it and a leading
// '+' allowed); nullopt for anything else, the empty text included.
std::optional<double> parseDecimal(std::string_view text);

// value with exactly `decimals` digits after the point, rounded to nearest;
// a value that rounds to zero carries no minus sign.
std::string formatFixed(double value, int decimals);

}  // namespace base
