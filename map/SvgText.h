// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/MapText.h"

#include <string>
#include <vector>

namespace map {

// The labels as SVG <text> elements, drawn as the raster map draws them.
std::string svgTextElements(const std::vector<MapText>& texts);

// Puts elements just before the closing tag of an SVG document.
std::string withElementsAtEnd(const std::string& svg, const std::string& elements);

}  // namespace map
