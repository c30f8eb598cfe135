// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/MapCanvas.h"
#include "map/MapScene.h"

#include <vector>

namespace map {

// The reach of each route beacon at the plan's cruise, as a faint ring.
void paintRangeRings(const MapCanvas& canvas, const std::vector<MapPoint>& route);
// Dashed in red over the route's legs, the stretches no beacon reaches.
void paintUncoveredStretches(const MapCanvas& canvas, const std::vector<MapPoint>& route,
                             const std::vector<UncoveredStretch>& stretches);

}  // namespace map
