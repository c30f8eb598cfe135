// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/GreatCircle.h"

#include "base/Units.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>

#include <algorithm>
#include <cmath>

namespace map {

std::vector<GeoPoint> sampleLeg(const GeoPoint& a, const GeoPoint& b, double stepNm)
{
    const GeographicLib::Geodesic& earth = GeographicLib::Geodesic::WGS84();
    const GeographicLib::GeodesicLine line = earth.InverseLine(a.lat, a.lon, b.lat, b.lon);
    const double metres = line.Distance();
    const double pieces = std::ceil(metres / base::METRES_PER_NM / std::max(stepNm, 1e-3));
    const int count = static_cast<int>(std::clamp(pieces, 1.0, 1000.0));
    std::vector<GeoPoint> points;
    points.reserve(static_cast<std::size_t>(count) + 1);
    points.push_back(a);
    for (int i = 1; i < count; ++i) {
        GeoPoint p;
        line.Position(metres * i / count, p.lat, p.lon);
        points.push_back(p);
    }
    points.push_back(b);
    return points;
}

std::vector<GeoPoint> sampleLegStretch(const GeoPoint& a, const GeoPoint& b, double fromNm, double toNm,
                                       double stepNm)
{
    const GeographicLib::GeodesicLine line = GeographicLib::Geodesic::WGS84().InverseLine(a.lat, a.lon, b.lat, b.lon);
    const double from = std::max(0.0, fromNm) * base::METRES_PER_NM;
    const double to = std::min(line.Distance(), toNm * base::METRES_PER_NM);
    std::vector<GeoPoint> points;
    if (!(to > from))
        return points;
    const double pieces = std::ceil((to - from) / base::METRES_PER_NM / std::max(stepNm, 1e-3));
    const int count = static_cast<int>(std::clamp(pieces, 1.0, 1000.0));
    for (int i = 0; i <= count; ++i) {
        GeoPoint p;
        line.Position(from + (to - from) * i / count, p.lat, p.lon);
        points.push_back(p);
    }
    return points;
}

std::vector<GeoPoint> sampleCircle(const GeoPoint& centre, double radiusNm, double stepNm)
{
    const GeographicLib::Geodesic& earth = GeographicLib::Geodesic::WGS84();
    const double circumference = 2.0 * base::PI * radiusNm;
    const int count = static_cast<int>(std::clamp(std::ceil(circumference / std::max(stepNm, 1e-3)), 24.0, 720.0));
    std::vector<GeoPoint> points;
    points.reserve(static_cast<std::size_t>(count) + 1);
    for (int i = 0; i <= count; ++i) {
        GeoPoint p;
        earth.Direct(centre.lat, centre.lon, 360.0 * (i % count) / count, radiusNm * base::METRES_PER_NM, p.lat, p.lon);
        points.push_back(p);
    }
    return points;
}

}  // namespace map
