// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/MapCanvas.h"

namespace routemap {

// The longest round distance (1, 2 or 5 times a power of ten nautical miles)
// not longer than maxNm.
double roundScaleLength(double maxNm);

// A scale bar in nautical miles in the lower left corner.
void paintScaleBar(const MapCanvas& canvas);
// An arrow in the upper right corner pointing to true north from where it
// stands, which away from the centre is not straight up.
void paintNorthArrow(const MapCanvas& canvas);

}  // namespace routemap
