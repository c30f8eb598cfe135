// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/MapCanvas.h"
#include "map/MapScene.h"

#include <vector>

namespace routemap {

// The reach of each route beacon at the plan's cruise, as a faint ring.
void paintRangeRings(const MapCanvas& canvas, const std::vector<MapPoint>& route);
// Over each leg, dashed in red, the stretch that neither end's beacon
// reaches; airports reach nothing.
void paintUncoveredStretches(const MapCanvas& canvas, const std::vector<MapPoint>& route);

}  // namespace routemap
