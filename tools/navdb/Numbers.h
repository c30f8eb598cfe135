// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace navdb {

// Text without surrounding blanks (spaces and tabs).
std::string_view trimBlanks(std::string_view text);

// A finite decimal number written in the whole text (blanks around it
// allowed), independent of the process locale; nullopt for anything else,
// including the empty text.
std::optional<double> parseNumber(std::string_view text);

// A number rounded to whole units, halves away from zero (2.5 → 3, -2.5 → -3);
// nullopt when the text is not a number or does not fit.
std::optional<long long> parseWholeNumber(std::string_view text);

}  // namespace navdb
