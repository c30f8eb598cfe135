// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/AsciiText.h"

#include <glib.h>

#include <sstream>

namespace base {

namespace {

// Byte by byte, so that an empty text (whose data may be null) and a text
// with a NUL inside come back whole; GLib's string functions take neither.
std::string converted(std::string_view text, gchar (*convert)(gchar))
{
    std::string result(text);
    for (char& c : result)
        c = convert(c);
    return result;
}

}  // namespace

std::string asciiUpper(std::string_view text)
{
    return converted(text, g_ascii_toupper);
}

std::string asciiLower(std::string_view text)
{
    return converted(text, g_ascii_tolower);
}

std::vector<std::string> splitWords(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

std::string lowerExtension(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        return {};
    return asciiLower(name.substr(dot));
}

std::vector<std::string_view> splitWhitespace(std::string_view line, std::size_t maxFields)
{
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; };
    std::vector<std::string_view> fields;
    std::size_t pos = 0;
    while (fields.size() < maxFields) {
        while (pos < line.size() && space(line[pos]))
            ++pos;
        if (pos >= line.size())
            break;
        std::size_t end = pos;
        while (end < line.size() && !space(line[end]))
            ++end;
        fields.push_back(line.substr(pos, end - pos));
        pos = end;
    }
    return fields;
}

}  // namespace base
