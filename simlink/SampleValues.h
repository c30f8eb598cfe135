// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace simlink {

// Figures as a simulator writes them, taken only when they are what they
// claim to be: a whole number text (no trailing words), finite, in range.
std::optional<double> numberIn(const std::string& text, double lowest, double highest);
// An angle brought into [0, 360); nullopt for no finite number or one so
// large that its fraction of a turn is lost.
std::optional<double> angleOf(double value);
std::optional<double> angleText(const std::string& text);
// "true"/"false" and "1"/"0".
std::optional<bool> flagText(const std::string& text);
// A beacon identifier: up to 8 printable ASCII characters, else "".
std::string identText(const std::string& text);

}  // namespace simlink
