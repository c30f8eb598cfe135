// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace map {

struct Rgb {
    double r = 0.0;
    double g = 0.0;
    double b = 0.0;
};

// The typeface of every label; the metrics used to place labels come from it.
constexpr const char* MAP_FONT_FAMILY = "DejaVu Sans";

// One line of label text, placed: the left end of its baseline in pixels.
struct MapText {
    std::string text;  // valid UTF-8 without control characters
    double x = 0.0;
    double y = 0.0;
    double size = 12.0;  // pixels
    bool bold = false;
    Rgb colour;
    bool halo = false;  // a white outline, to read it over lines and land
};

}  // namespace map
