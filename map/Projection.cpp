// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/Projection.h"

#include <algorithm>
#include <cmath>

namespace map {

Projection::Projection(const MapView& view, int width, int height)
    : m_width(width),
      m_height(height),
      m_halfWidth(width / 2.0),
      m_halfHeight(height / 2.0)
{
    const double lat = std::clamp(std::isfinite(view.centerLat) ? view.centerLat : 0.0, -90.0, 90.0);
    const double lon = std::isfinite(view.centerLon) ? view.centerLon : 0.0;
    const double phi = lat * RADIANS_PER_DEGREE;
    const double lambda = lon * RADIANS_PER_DEGREE;
    m_centre = toVector(lat, lon);
    m_east = {-std::sin(lambda), std::cos(lambda), 0.0};
    m_north = {-std::sin(phi) * std::cos(lambda), -std::sin(phi) * std::sin(lambda), std::cos(phi)};
    const bool usableScale = std::isfinite(view.nmPerPixel) && view.nmPerPixel > 0.0;
    m_pixelsPerRadian = EARTH_RADIUS_NM / (usableScale ? view.nmPerPixel : 1.0);
}

PlanePoint Projection::project(const Vec3& point) const
{
    const double east = dot(point, m_east);
    const double north = dot(point, m_north);
    const double side = std::sqrt(east * east + north * north);
    const double distance = std::atan2(side, dot(point, m_centre));
    if (side < 1e-15) {
        // The centre, or its antipode, which is put at the bottom of the rim.
        return distance < 1.0 ? PlanePoint{0.0, 0.0, 0.0} : PlanePoint{0.0, -PI, PI};
    }
    const double k = distance / side;
    return {east * k, north * k, distance};
}

PixelPoint Projection::toPixels(double latDeg, double lonDeg) const
{
    return toPixels(toVector(latDeg, lonDeg));
}

PixelPoint Projection::polarToPixels(double distance, double azimuth) const
{
    return planeToPixels({distance * std::sin(azimuth), distance * std::cos(azimuth), distance});
}

std::optional<GeoPoint> Projection::toDegrees(const PixelPoint& pixel) const
{
    return fromPlane((pixel.x - m_halfWidth) / m_pixelsPerRadian, (m_halfHeight - pixel.y) / m_pixelsPerRadian);
}

std::optional<GeoPoint> Projection::fromPlane(double x, double y) const
{
    const double distance = std::hypot(x, y);
    if (!(distance <= PI)) {
        return std::nullopt;
    }
    const double s = distance > 0.0 ? std::sin(distance) / distance : 1.0;
    const double c = std::cos(distance);
    const Vec3 v{c * m_centre.x + s * (x * m_east.x + y * m_north.x),
                 c * m_centre.y + s * (x * m_east.y + y * m_north.y),
                 c * m_centre.z + s * (x * m_east.z + y * m_north.z)};
    return GeoPoint{latitudeOf(v), longitudeOf(v)};
}

}  // namespace map
