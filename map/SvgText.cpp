// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/SvgText.h"

#include "base/XmlText.h"
#include "map/MapError.h"

#include <cmath>
#include <cstdio>

namespace map {

namespace {

std::string number(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    return buffer;
}

std::string hexColour(const Rgb& c)
{
    const auto channel = [](double v) { return static_cast<int>(std::lround(std::fmin(1.0, std::fmax(0.0, v)) * 255.0)); };
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", channel(c.r), channel(c.g), channel(c.b));
    return buffer;
}

}  // namespace

std::string svgTextElements(const std::vector<MapText>& texts)
{
    const std::string halo = " stroke=\"#ffffff\" stroke-opacity=\"0.85\" stroke-width=\"3\" stroke-linejoin=\"round\""
                             " paint-order=\"stroke\"";
    std::string out = "<g font-family=\"" + std::string(MAP_FONT_FAMILY) + ", sans-serif\" xml:space=\"preserve\">\n";
    for (const MapText& text : texts) {
        out += "<text x=\"" + number(text.x) + "\" y=\"" + number(text.y) + "\" font-size=\"" + number(text.size) +
               "\"" + (text.bold ? " font-weight=\"bold\"" : "") + " fill=\"" + hexColour(text.colour) + "\"" +
               (text.halo ? halo : "") + ">" + base::xmlEscape(text.text) + "</text>\n";
    }
    out += "</g>\n";
    return out;
}

std::string withElementsAtEnd(const std::string& svg, const std::string& elements)
{
    const auto end = svg.rfind("</svg>");
    if (end == std::string::npos) {
        throw MapError("the drawing library wrote no complete SVG document");
    }
    return svg.substr(0, end) + elements + svg.substr(end);
}

}  // namespace map
