#pragma once

#include <string>
#include <string_view>

namespace routemap {

// Text fit for a label and for XML: valid UTF-8 kept as it is, any other byte
// read as Latin-1 (names from older databases), control characters replaced
// by spaces. Cairo refuses a whole drawing for one invalid string, and an
// SVG with one is no XML.
std::string labelText(std::string_view bytes);

}  // namespace routemap
