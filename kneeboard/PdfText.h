// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cairo.h>

#include <cstddef>
#include <string>
#include <vector>

namespace kneeboard {

enum class Align { Left, Right };

// Text on the navlog's pages: one typeface, drawn through cairo so that the
// PDF keeps it as text that can be searched and copied.
void setFont(cairo_t* cr, double size, bool bold = false);
double textWidth(cairo_t* cr, const std::string& text);

// Draws text with its baseline at y, from x (Left) or ending at x (Right),
// cut with an ellipsis where it would run beyond maxWidth.
void drawText(cairo_t* cr, double x, double y, const std::string& text, Align align = Align::Left,
              double maxWidth = 1e9);

// text shortened at a character boundary, with an ellipsis, to fit maxWidth.
std::string fitted(cairo_t* cr, const std::string& text, double maxWidth);

// The words of text in lines no wider than maxWidth (a word longer than a
// line stands on its own line), at most maxLines of them: the last takes
// the rest of the text, cut with an ellipsis where it does not fit.
std::vector<std::string> wrapped(cairo_t* cr, const std::string& text, double maxWidth,
                                 std::size_t maxLines = static_cast<std::size_t>(-1));

}  // namespace kneeboard
