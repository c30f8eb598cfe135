// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/XmlText.h"

#include "base/Utf8Text.h"

#include <glib.h>

namespace base {

namespace {

// Valid UTF-8 without what no XML 1.0 document may hold.
std::string xmlCharacters(std::string_view text)
{
    return validUtf8Without(
        text,
        [](char32_t c) { return (c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0xFFFE || c == 0xFFFF; },
        "");
}

std::string markupEscaped(const std::string& text)
{
    gchar* escaped = g_markup_escape_text(text.c_str(), static_cast<gssize>(text.size()));
    std::string out(escaped);
    g_free(escaped);
    return out;
}

}  // namespace

std::string xmlEscape(std::string_view text)
{
    // GLib escapes quotes everywhere; element content keeps them, so each
    // run between them is escaped on its own.
    const std::string kept = xmlCharacters(text);
    std::string out;
    std::size_t start = 0;
    while (start <= kept.size()) {
        const std::size_t quote = kept.find_first_of("\"'", start);
        const std::size_t end = quote == std::string::npos ? kept.size() : quote;
        out += markupEscaped(kept.substr(start, end - start));
        if (quote == std::string::npos)
            break;
        out += kept[quote];
        start = quote + 1;
    }
    return out;
}

std::string xmlAttributeEscape(std::string_view text)
{
    return markupEscaped(xmlCharacters(text));
}

std::string xmlElement(int indent, std::string_view name, std::string_view text)
{
    std::string line(static_cast<std::size_t>(indent), ' ');
    line += '<';
    line += name;
    line += '>';
    line += xmlEscape(text);
    line += "</";
    line += name;
    line += ">\n";
    return line;
}

}  // namespace base
