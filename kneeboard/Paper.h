// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kneeboard {

enum class Paper { A5, A4, Letter, HalfLetter };

// Portrait, in PDF points (1/72 inch).
struct PaperSize {
    double width;
    double height;
};

PaperSize paperSize(Paper paper);

// "a5", "a4", "letter", "half-letter" (as typed on the command line, letter
// case ignored); nullopt for anything else.
std::optional<Paper> parsePaper(std::string_view name);
const char* paperName(Paper paper);

}  // namespace kneeboard
