#include "map/GreatCircle.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>

#include <algorithm>
#include <cmath>

namespace routemap {

std::vector<GeoPoint> sampleLeg(const GeoPoint& a, const GeoPoint& b, double stepNm)
{
    const GeographicLib::Geodesic& earth = GeographicLib::Geodesic::WGS84();
    const GeographicLib::GeodesicLine line = earth.InverseLine(a.lat, a.lon, b.lat, b.lon);
    const double metres = line.Distance();
    const double pieces = std::ceil(metres / 1852.0 / std::max(stepNm, 1e-3));
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

}  // namespace routemap
