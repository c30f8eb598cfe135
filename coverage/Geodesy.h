// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Units.h"

namespace coverage {

using base::METRES_PER_NM;

// The polar radius a hair shortened, so that rounding never lifts a lower
// bound drawn on its sphere above the distance it bounds.
inline constexpr double BOUNDING_RADIUS_NM = base::WGS84_POLAR_RADIUS_M / METRES_PER_NM * (1.0 - 1e-9);

// Length of the geodesic on WGS 84 between two points given in degrees.
double geodesicNm(double lat1, double lon1, double lat2, double lon2);

// The direction from the earth's centre to a point on the WGS 84 surface.
struct Direction {
    double x = 0.0, y = 0.0, z = 1.0;
};
Direction directionOf(double latitude, double longitude);

// A distance never longer than the geodesic between the two points: the
// arc between their directions on the sphere of the polar radius, which
// lies wholly inside the ellipsoid (a path on the surface, pushed down onto
// that sphere, only gets shorter). Cheap enough to rule pairs out in bulk.
double geodesicLowerBoundNm(const Direction& a, const Direction& b);
// The same bound from the straight chord, weaker still but without a
// trigonometric call: chord ≤ arc.
double chordLowerBoundNm(const Direction& a, const Direction& b);
// Between the two: the arc from the chord by the first terms of its series,
// each of which is positive, so the sum stays below the arc; within a
// thousandth of it up to 1,500 nm, and still without trigonometry.
double seriesLowerBoundNm(const Direction& a, const Direction& b);
// A distance never shorter than the geodesic: the length of one path on
// the ellipsoid, the surface point above each direction of the great
// circle between the two, whose radius changes by at most a(a²-b²)/2b² a
// radian. Within 0.7% of the geodesic, and no geodesic is needed for it.
double geodesicUpperBoundNm(const Direction& a, const Direction& b);

}  // namespace coverage
