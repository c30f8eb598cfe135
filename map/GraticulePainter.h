// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/MapCanvas.h"

namespace map {

// The spacing in degrees of the latitude and longitude lines for a view
// that spans spanDegrees across: a round step giving a handful of lines.
double graticuleSpacing(double spanDegrees);

// Latitude and longitude lines, labelled where they meet the picture's edge.
void paintGraticule(const MapCanvas& canvas);

}  // namespace map
