// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/MapCanvas.h"
#include "map/MapScene.h"

namespace map {

// The other beacons in view, faint (VORs as hexagons, NDBs as rings of
// dots), their idents where there is room; those on the route are left to
// paintRoutePoints.
void paintOtherBeacons(const MapCanvas& canvas, const std::vector<MapPoint>& beacons, const std::vector<MapPoint>& route);
// The legs as geodesics, sampled finely enough to show their curve.
void paintLegs(const MapCanvas& canvas, const std::vector<MapPoint>& route);
// The airports and chosen beacons with their symbols and labels.
void paintRoutePoints(const MapCanvas& canvas, const std::vector<MapPoint>& route);

}  // namespace map
