// SPDX-License-Identifier: GPL-3.0-or-later
#include "kneeboard/PdfText.h"

#include "map/MapText.h"
#include "base/Utf8Text.h"

#include <glib.h>

#include <algorithm>
#include <sstream>

namespace kneeboard {

void setFont(cairo_t* cr, double size, bool bold)
{
    cairo_select_font_face(cr, map::MAP_FONT_FAMILY, CAIRO_FONT_SLANT_NORMAL,
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

namespace {

const std::string ELLIPSIS = "\u2026";

// The first `end` bytes of clean without the blanks they end on, with the ellipsis.
std::string cutAt(const std::string& clean, std::size_t end)
{
    while (end > 0 && clean[end - 1] == ' ')
        --end;
    return clean.substr(0, end) + ELLIPSIS;
}

}  // namespace

std::string fitted(cairo_t* cr, const std::string& text, double maxWidth)
{
    const std::string clean = base::labelText(text);
    const double whole = textWidth(cr, clean);
    if (whole <= maxWidth)
        return clean;
    if (clean.empty() || !(whole > 0.0))
        return {};
    // Where each character starts; a cut lies at one of these. Cutting after
    // `count` characters is searched for, measuring only short prefixes: the
    // first guess takes the width to grow evenly with the characters, and
    // the bounds gallop out from it, so that a name of any length costs a
    // dozen measurements of about a line each.
    std::vector<std::size_t> starts;
    starts.reserve(clean.size() + 1);
    for (const char* c = clean.c_str(); *c; c = g_utf8_next_char(c))
        starts.push_back(static_cast<std::size_t>(c - clean.c_str()));
    starts.push_back(clean.size());
    const std::size_t characters = starts.size() - 1;
    const auto fits = [&](std::size_t count) { return textWidth(cr, cutAt(clean, starts[count])) <= maxWidth; };

    // fits(low) holds (or low is 0), fits(high) does not.
    std::size_t low = 0, high = characters;
    std::size_t guess = static_cast<std::size_t>(static_cast<double>(characters) * std::max(0.0, maxWidth) / whole);
    guess = std::min(guess, characters - 1);
    if (fits(guess)) {
        low = guess;
        for (std::size_t step = 1; low + step < high; step *= 2) {
            if (!fits(low + step)) {
                high = low + step;
                break;
            }
            low += step;
        }
    } else {
        high = guess;
        for (std::size_t step = 1; high > 0; step *= 2) {
            const std::size_t probe = high > step ? high - step : 0;
            if (fits(probe)) {
                low = probe;
                break;
            }
            high = probe;
        }
    }
    while (high - low > 1) {
        const std::size_t middle = low + (high - low) / 2;
        (fits(middle) ? low : high) = middle;
    }
    if (low == 0 && !fits(0))
        return {};
    return cutAt(clean, starts[low]);
}

void drawText(cairo_t* cr, double x, double y, const std::string& text, Align align, double maxWidth)
{
    const std::string shown = fitted(cr, text, maxWidth);
    if (shown.empty())
        return;
    cairo_move_to(cr, align == Align::Right ? x - textWidth(cr, shown) : x, y);
    cairo_show_text(cr, shown.c_str());
}

std::vector<std::string> wrapped(cairo_t* cr, const std::string& text, double maxWidth, std::size_t maxLines)
{
    std::vector<std::string> lines;
    if (maxLines == 0)
        return lines;
    const std::string clean = base::labelText(text);
    std::string line;
    std::size_t at = clean.find_first_not_of(' ');
    while (at != std::string::npos) {
        if (lines.size() + 1 == maxLines) {
            // The last line allowed takes the rest, cut to fit.
            std::string rest = (line.empty() ? "" : line + " ") + clean.substr(at);
            while (!rest.empty() && rest.back() == ' ')
                rest.pop_back();
            lines.push_back(textWidth(cr, rest) <= maxWidth ? rest : fitted(cr, rest, maxWidth));
            return lines;
        }
        const std::size_t end = std::min(clean.find(' ', at), clean.size());
        const std::string word = clean.substr(at, end - at);
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && textWidth(cr, longer) > maxWidth) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
        at = clean.find_first_not_of(' ', end);
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

}  // namespace kneeboard
