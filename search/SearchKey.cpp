// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/SearchKey.h"

#include <glib.h>

#include <memory>

namespace search {

namespace {

struct GFree {
    void operator()(gchar* text) const { g_free(text); }
};
using GText = std::unique_ptr<gchar, GFree>;

bool isKeyCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

}  // namespace

std::string searchKey(std::string_view text)
{
    if (text.empty())
        return {};
    // The transliteration tables are GLib's; the "C" locale keeps them the
    // same whatever the user's locale ("ü" is "u", never "ue").
    GText valid(g_utf8_make_valid(text.data(), static_cast<gssize>(text.size())));
    GText ascii(g_str_to_ascii(valid.get(), "C"));

    std::string key;
    bool separator = false;
    for (const gchar* p = ascii.get(); *p; ++p) {
        const char c = g_ascii_tolower(*p);
        if (c == '\'')
            continue;
        if (!isKeyCharacter(c)) {
            separator = !key.empty();
            continue;
        }
        if (separator)
            key += ' ';
        separator = false;
        key += c;
    }
    return key;
}

}  // namespace search
