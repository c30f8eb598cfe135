#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Number of characters (UTF-8 code points) in text.
std::size_t DisplayWidth(std::string_view text);

// Appends text to line, followed by blanks up to width characters. A longer
// text is appended whole and nothing is added.
void AppendCell(std::string& line, std::string_view text, std::size_t width);
