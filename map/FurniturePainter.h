// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/MapCanvas.h"

#include <functional>
#include <optional>

namespace map {

// The longest round distance (1, 2 or 5 times a power of ten nautical miles)
// not longer than maxNm.
double roundScaleLength(double maxNm);

// A scale bar in nautical miles in the lower left corner.
void paintScaleBar(const MapCanvas& canvas);
// An arrow in the upper right corner pointing to true north from where it
// stands, which away from the centre is not straight up.
// The north arrow, in the first spot free of the route, the uncovered
// stretches and every symbol (northArrowSpot); none where there is none.
void paintNorthArrow(const MapCanvas& canvas);

// The north arrow's disc: its radius, and the room it takes with its letter
// above it, round its centre.
inline constexpr double NORTH_ARROW_RADIUS = 19.0;
Box northArrowBox(const PixelPoint& centre);
// Where the arrow's centre goes in a picture of width by height: the top
// right corner while it is free, else the other corners, then spots along
// the edges and across the picture, in that order; nullopt where `taken`
// holds for every spot's box.
std::optional<PixelPoint> northArrowSpot(int width, int height, const std::function<bool(const Box&)>& taken);

}  // namespace map
