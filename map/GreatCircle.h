// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/Projection.h"

#include <vector>

namespace map {

// Points along the shortest path on the WGS84 ellipsoid from a to b, both
// ends included, no two more than about stepNm apart (at most 1000 pieces).
// Longitudes may jump at the antimeridian; the map works in vectors.
std::vector<GeoPoint> sampleLeg(const GeoPoint& a, const GeoPoint& b, double stepNm);

// The part of that path from fromNm to toNm along it, sampled the same way.
std::vector<GeoPoint> sampleLegStretch(const GeoPoint& a, const GeoPoint& b, double fromNm, double toNm,
                                       double stepNm);

// The points radiusNm from centre in every direction, closed (the first
// point repeated last), about stepNm apart (at least 24, at most 720).
std::vector<GeoPoint> sampleCircle(const GeoPoint& centre, double radiusNm, double stepNm);

}  // namespace map
