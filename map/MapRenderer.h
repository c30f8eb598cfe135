// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/MapScene.h"
#include "map/MapText.h"
#include "map/Outlines.h"

#include <cairo.h>

#include <vector>

namespace map {

enum class TextMode {
    Draw,    // labels drawn on the context like everything else
    Return,  // labels only returned, for a writer that keeps them as text
};

// Draws the map of a scene on cr, filling width x height pixels from its
// current origin: sea, land, borders, graticule, other beacons, legs, route
// symbols, scale bar, north arrow and, last, the labels. Returns the labels
// as placed, on top of everything else. Leaves cr's state as it found it.
std::vector<MapText> drawMap(cairo_t* cr, const Outlines& outlines, const MapScene& scene, const MapView& view,
                             int width, int height, TextMode textMode = TextMode::Draw);

// Draws labels as drawMap does.
void drawTexts(cairo_t* cr, const std::vector<MapText>& texts);

// Whether a view spans so little that the finer outlines are worth drawing.
bool usesFineOutlines(const MapView& view, int width);

}  // namespace map
