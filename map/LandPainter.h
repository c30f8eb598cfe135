// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/MapCanvas.h"
#include "map/Outlines.h"

namespace map {

// Sea over the whole earth in view, and off-earth grey round a whole-earth disc.
void paintSea(const MapCanvas& canvas);
// Land filled, with its coastline.
void paintLand(const MapCanvas& canvas, const OutlineDetail& outlines);
// Borders between countries.
void paintBorders(const MapCanvas& canvas, const OutlineLines& borders);

}  // namespace map
