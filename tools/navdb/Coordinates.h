// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace navdb {

enum class Axis { Latitude, Longitude };

// A position as the database stores it: hemisphere letter, whole degrees and
// the rest of the degree in hundredths, rounded to two decimals (40.639447 →
// 40 and 63.94). A rounding that reaches a whole degree carries into it
// (40.99999 → 41 and 0.0), so minor is always below 100.
struct SplitCoordinate {
    char direction = 'N';  // N or S for a latitude, E or W for a longitude
    int major = 0;
    double minor = 0.0;
};

// Splits a decimal degrees text such as "-73.778925" or "3.2e-05". The
// rounding is done on the decimal digits, not on a binary double, so a value
// that sits exactly on a half rounds away from zero as written and minor is
// always the double nearest its two-decimal value. nullopt for text that is
// not a number or lies outside ±90 (latitude) or ±180 (longitude).
std::optional<SplitCoordinate> splitCoordinate(std::string_view text, Axis axis);

}  // namespace navdb
