// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/MapScene.h"

namespace map {

// The whole earth as one disc that fits the picture.
MapView worldView(int width, int height);

// A view that holds the whole route, legs included, with a margin for the
// labels; at least about 200 nm across for a short or zero-length route, and
// never less than the whole earth. The world when the route is empty.
MapView fitView(const MapScene& scene, int width, int height);

}  // namespace map
