// SPDX-License-Identifier: GPL-3.0-or-later
#include "kneeboard/PdfText.h"

#include "map/MapText.h"
#include "base/Utf8Text.h"

#include <glib.h>

#include <sstream>

namespace kneeboard {

void setFont(cairo_t* cr, double size, bool bold)
{
    cairo_select_font_face(cr, routemap::kMapFontFamily, CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
}

double textWidth(cairo_t* cr, const std::string& text)
{
    cairo_text_extents_t extents;
    // One damaged name must not cost the whole document its text.
    cairo_text_extents(cr, base::labelText(text).c_str(), &extents);
    return extents.x_advance;
}

std::string fitted(cairo_t* cr, const std::string& text, double maxWidth)
{
    std::string clean = base::labelText(text);
    if (textWidth(cr, clean) <= maxWidth)
        return clean;
    static const std::string ellipsis = "\u2026";
    while (!clean.empty()) {
        const char* end = clean.c_str() + clean.size();
        const char* previous = g_utf8_find_prev_char(clean.c_str(), end);
        clean.resize(previous ? static_cast<std::size_t>(previous - clean.c_str()) : 0);
        while (!clean.empty() && clean.back() == ' ')
            clean.pop_back();
        if (textWidth(cr, clean + ellipsis) <= maxWidth)
            return clean + ellipsis;
    }
    return {};
}

void drawText(cairo_t* cr, double x, double y, const std::string& text, Align align, double maxWidth)
{
    const std::string shown = fitted(cr, text, maxWidth);
    if (shown.empty())
        return;
    cairo_move_to(cr, align == Align::Right ? x - textWidth(cr, shown) : x, y);
    cairo_show_text(cr, shown.c_str());
}

std::vector<std::string> wrapped(cairo_t* cr, const std::string& text, double maxWidth)
{
    std::vector<std::string> lines;
    std::istringstream words(base::labelText(text));
    std::string line;
    for (std::string word; words >> word;) {
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && textWidth(cr, longer) > maxWidth) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

}  // namespace kneeboard
