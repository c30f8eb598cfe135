// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/map/SvgLabels.h"

#include <cairo.h>

#include <algorithm>
#include <memory>
#include <regex>

namespace maptest {

namespace {

std::string attribute(const std::string& attributes, const std::string& name)
{
    const std::regex pattern("\\b" + name + "=\"([^\"]*)\"");
    std::smatch match;
    return std::regex_search(attributes, match, pattern) ? match[1].str() : std::string();
}

std::string unescaped(std::string text)
{
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [entity, plain] : entities) {
        for (auto at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1)) {
            text.replace(at, std::string(entity).size(), plain);
        }
    }
    return text;
}

}  // namespace

std::vector<SvgLabel> svgLabels(const std::string& svg)
{
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1), cairo_surface_destroy);
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()), cairo_destroy);
    // Design metrics, as an SVG viewer uses them, not rounded to pixels.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr.get(), options);
    cairo_font_options_destroy(options);
    std::vector<SvgLabel> labels;
    const std::regex element("<text([^>]*)>([^<]*)</text>");
    for (std::sregex_iterator it(svg.begin(), svg.end(), element), end; it != end; ++it) {
        const std::string attributes = (*it)[1].str();
        SvgLabel label;
        label.text = unescaped((*it)[2].str());
        label.x = std::stod(attribute(attributes, "x"));
        label.y = std::stod(attribute(attributes, "y"));
        label.size = std::stod(attribute(attributes, "font-size"));
        label.bold = attribute(attributes, "font-weight") == "bold";
        cairo_select_font_face(cr.get(), "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                               label.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr.get(), label.size);
        cairo_font_extents_t font;
        cairo_font_extents(cr.get(), &font);
        cairo_text_extents_t text;
        cairo_text_extents(cr.get(), label.text.c_str(), &text);
        label.left = label.x;
        label.right = label.x + text.x_advance;
        label.top = label.y - font.ascent;
        label.bottom = label.y + font.descent;
        labels.push_back(label);
    }
    return labels;
}

std::vector<std::pair<SvgLabel, SvgLabel>> overlappingLabels(const std::vector<SvgLabel>& labels)
{
    // Glyph boxes may touch by rounding; a shared strip of half a pixel is no overlap.
    constexpr double SLIVER = 0.5;
    std::vector<std::pair<SvgLabel, SvgLabel>> pairs;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        for (std::size_t j = i + 1; j < labels.size(); ++j) {
            const SvgLabel& a = labels[i];
            const SvgLabel& b = labels[j];
            const double across = std::min(a.right, b.right) - std::max(a.left, b.left);
            const double down = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
            if (across > SLIVER && down > SLIVER) {
                pairs.emplace_back(a, b);
            }
        }
    }
    return pairs;
}

}  // namespace maptest
