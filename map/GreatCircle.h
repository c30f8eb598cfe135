#pragma once

#include "map/Projection.h"

#include <vector>

namespace routemap {

// Points along the shortest path on the WGS84 ellipsoid from a to b, both
// ends included, no two more than about stepNm apart (at most 1000 pieces).
// Longitudes may jump at the antimeridian; the map works in vectors.
std::vector<GeoPoint> sampleLeg(const GeoPoint& a, const GeoPoint& b, double stepNm);

}  // namespace routemap
