// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The units and the figures of the Earth every layer shares, each written
// once.

namespace base {

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kRadiansPerDegree = kPi / 180.0;

// The international nautical mile.
inline constexpr double kMetresPerNm = 1852.0;

// The WGS 84 ellipsoid's semi-axes.
inline constexpr double kWgs84EquatorialRadiusM = 6378137.0;
inline constexpr double kWgs84PolarRadiusM = 6356752.314245;
// The mean radius of the Earth (IUGG), for drawing on a sphere.
inline constexpr double kMeanEarthRadiusM = 6371008.8;

}  // namespace base
