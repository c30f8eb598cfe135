// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Units.h"

#include <cmath>

namespace map {

using base::PI;
using base::RADIANS_PER_DEGREE;
// The mean earth radius in nautical miles: the sphere the map is drawn on.
// The legs themselves are sampled on the WGS84 ellipsoid.
constexpr double EARTH_RADIUS_NM = base::MEAN_EARTH_RADIUS_M / base::METRES_PER_NM;

// A point on the unit sphere; x towards 0°N 0°E, z towards the north pole.
// Working in vectors keeps the antimeridian and the poles free of special cases.
struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

inline Vec3 toVector(double latDeg, double lonDeg)
{
    const double lat = latDeg * RADIANS_PER_DEGREE;
    const double lon = lonDeg * RADIANS_PER_DEGREE;
    const double c = std::cos(lat);
    return {c * std::cos(lon), c * std::sin(lon), std::sin(lat)};
}

inline double dot(const Vec3& a, const Vec3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline double latitudeOf(const Vec3& v)
{
    return std::atan2(v.z, std::hypot(v.x, v.y)) / RADIANS_PER_DEGREE;
}

inline double longitudeOf(const Vec3& v)
{
    return std::atan2(v.y, v.x) / RADIANS_PER_DEGREE;
}

// The unit vector along v; v itself when it is (nearly) zero.
inline Vec3 normalised(const Vec3& v)
{
    const double n = std::sqrt(dot(v, v));
    return n > 1e-12 ? Vec3{v.x / n, v.y / n, v.z / n} : v;
}

// Angle between two unit vectors in radians, accurate for small angles too.
inline double angleBetween(const Vec3& a, const Vec3& b)
{
    const Vec3 cross{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
    return std::atan2(std::sqrt(dot(cross, cross)), dot(a, b));
}

}  // namespace map
