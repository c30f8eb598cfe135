// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/MapCanvas.h"
#include "map/MapScene.h"

#include <cstddef>
#include <vector>

namespace map {

// The leg being flown, over the route's line: wider and darker. A leg the
// route lacks is left alone.
void paintActiveLeg(const MapCanvas& canvas, const std::vector<MapPoint>& route, std::size_t leg);
// The aircraft's track as a thin line and the aircraft as an arrowhead
// pointing along its heading (a disc without one).
void paintAircraft(const MapCanvas& canvas, const AircraftMark& aircraft);

}  // namespace map
