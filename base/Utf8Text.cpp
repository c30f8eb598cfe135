// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Utf8Text.h"

#include <glib.h>

namespace base {

std::string validUtf8(std::string_view bytes)
{
    if (g_utf8_validate_len(bytes.data(), bytes.size(), nullptr))
        return std::string(bytes);
    gchar* valid = g_utf8_make_valid(bytes.data(), static_cast<gssize>(bytes.size()));
    std::string text(valid);
    g_free(valid);
    return text;
}

std::string validUtf8Without(std::string_view bytes, bool (*drop)(char32_t), std::string_view replacement)
{
    const std::string valid = validUtf8(bytes);
    std::string text;
    text.reserve(valid.size());
    for (const gchar* p = valid.c_str(); *p; p = g_utf8_next_char(p)) {
        if (drop(g_utf8_get_char(p)))
            text += replacement;
        else
            text.append(p, static_cast<std::size_t>(g_utf8_next_char(p) - p));
    }
    return text;
}

std::string labelText(std::string_view bytes)
{
    return validUtf8Without(bytes, [](char32_t c) -> bool { return g_unichar_iscntrl(c); }, " ");
}

std::size_t characterCount(std::string_view text)
{
    const std::string valid = validUtf8(text);
    return static_cast<std::size_t>(g_utf8_strlen(valid.data(), static_cast<gssize>(valid.size())));
}

std::size_t utf8CutPoint(std::string_view text, std::size_t limit)
{
    if (text.size() <= limit)
        return text.size();
    // The last character that starts before the limit lies at most three
    // bytes back; drop it whole if it does not end in time.
    for (std::size_t back = 1; back <= 4 && back <= limit; ++back) {
        unsigned char byte = static_cast<unsigned char>(text[limit - back]);
        if ((byte & 0xC0) == 0x80)
            continue;  // a continuation byte: look further back
        std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? limit - back : limit;
    }
    return limit;
}

}  // namespace base
