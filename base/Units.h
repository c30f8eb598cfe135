// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The units and the figures of the Earth every layer shares, each written
// once.

namespace base {

inline constexpr double PI = 3.14159265358979323846;
inline constexpr double RADIANS_PER_DEGREE = PI / 180.0;

// The international nautical mile.
inline constexpr double METRES_PER_NM = 1852.0;

// The WGS 84 ellipsoid's semi-axes.
inline constexpr double WGS84_EQUATORIAL_RADIUS_M = 6378137.0;
inline constexpr double WGS84_POLAR_RADIUS_M = 6356752.314245;
// The mean radius of the Earth (IUGG), for drawing on a sphere.
inline constexpr double MEAN_EARTH_RADIUS_M = 6371008.8;

}  // namespace base
