// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace maptest {

// One <text> element of a map SVG with the box its glyphs claim, measured
// from its position, font size, weight and text with the font's own metrics.
struct SvgLabel {
    std::string text;
    double x = 0.0, y = 0.0, size = 0.0;
    bool bold = false;
    double left = 0.0, top = 0.0, right = 0.0, bottom = 0.0;
};

std::vector<SvgLabel> svgLabels(const std::string& svg);
// The pairs of labels whose boxes share more than a sliver.
std::vector<std::pair<SvgLabel, SvgLabel>> overlappingLabels(const std::vector<SvgLabel>& labels);

}  // namespace maptest
