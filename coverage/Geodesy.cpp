// SPDX-License-Identifier: GPL-3.0-or-later
#include "coverage/Geodesy.h"

#include <GeographicLib/Geodesic.hpp>

#include <algorithm>
#include <cmath>

namespace coverage {

double geodesicNm(double lat1, double lon1, double lat2, double lon2)
{
    double metres = 0.0;
    GeographicLib::Geodesic::WGS84().Inverse(lat1, lon1, lat2, lon2, metres);
    return metres / METRES_PER_NM;
}

Direction directionOf(double latitude, double longitude)
{
    const GeographicLib::Geodesic& wgs84 = GeographicLib::Geodesic::WGS84();
    const double f = wgs84.Flattening();
    const double e2 = f * (2.0 - f);
    const double phi = latitude * base::PI / 180.0, lambda = longitude * base::PI / 180.0;
    // Earth-centred coordinates of the surface point, in units of the
    // prime vertical radius; only the direction matters.
    const double x = std::cos(phi) * std::cos(lambda);
    const double y = std::cos(phi) * std::sin(lambda);
    const double z = (1.0 - e2) * std::sin(phi);
    const double length = std::sqrt(x * x + y * y + z * z);
    return Direction{x / length, y / length, z / length};
}

double geodesicLowerBoundNm(const Direction& a, const Direction& b)
{
    // atan2 of cross and dot keeps its precision for short arcs, where
    // acos of the dot product loses it.
    const double cx = a.y * b.z - a.z * b.y, cy = a.z * b.x - a.x * b.z, cz = a.x * b.y - a.y * b.x;
    const double cross = std::sqrt(cx * cx + cy * cy + cz * cz);
    const double dot = a.x * b.x + a.y * b.y + a.z * b.z;
    return std::max(0.0, std::atan2(cross, dot) * BOUNDING_RADIUS_NM * (1.0 - 1e-12));
}

double geodesicUpperBoundNm(const Direction& a, const Direction& b)
{
    constexpr double A = 6378137.0, kB = 6356752.314245;
    constexpr double STEEPEST = A * (A * A - kB * kB) / (2.0 * kB * kB);
    const double cx = a.y * b.z - a.z * b.y, cy = a.z * b.x - a.x * b.z, cz = a.x * b.y - a.y * b.x;
    const double cross = std::sqrt(cx * cx + cy * cy + cz * cz);
    const double dot = a.x * b.x + a.y * b.y + a.z * b.z;
    return std::atan2(cross, dot) * (A + STEEPEST) / METRES_PER_NM * (1.0 + 1e-9) + 1e-9;
}

double chordLowerBoundNm(const Direction& a, const Direction& b)
{
    const double dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz) * BOUNDING_RADIUS_NM * (1.0 - 1e-12);
}

double seriesLowerBoundNm(const Direction& a, const Direction& b)
{
    const double dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    const double c = std::sqrt(dx * dx + dy * dy + dz * dz);
    const double c2 = c * c;
    // arc = 2 asin(c / 2) = c + c^3 / 24 + 3 c^5 / 640 + ...
    return c * (1.0 + c2 * (1.0 / 24.0 + c2 * (3.0 / 640.0))) * BOUNDING_RADIUS_NM * (1.0 - 1e-12);
}

}  // namespace coverage
