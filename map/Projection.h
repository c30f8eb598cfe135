// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/MapScene.h"
#include "map/SphereVector.h"

#include <optional>

namespace map {

struct PixelPoint {
    double x = 0.0;
    double y = 0.0;
};

struct GeoPoint {
    double lat = 0.0;
    double lon = 0.0;
};

// Where a point falls in the plane of the projection, before scaling: x east
// and y north of the centre in radians of arc, and its angular distance from
// the centre (which is also its distance from the origin).
struct PlanePoint {
    double x = 0.0;
    double y = 0.0;
    double distance = 0.0;
};

// Azimuthal equidistant projection centred on the view's centre: every
// distance and direction from the centre is true, shapes near it are honest at
// any latitude, and the antimeridian is no seam at all. The whole earth but
// the centre's antipode maps onto a disc of radius pi; the antipode itself
// has no single image. North is up at the centre (at a pole, the centre's
// longitude points down from a north pole and up from a south pole).
class Projection {
public:
    Projection(const MapView& view, int width, int height);

    PixelPoint toPixels(double latDeg, double lonDeg) const;
    PixelPoint toPixels(const Vec3& point) const { return planeToPixels(project(point)); }
    // nullopt for a pixel beyond the earth's rim.
    std::optional<GeoPoint> toDegrees(const PixelPoint& pixel) const;
    // The inverse on the plane (x east, y north, radians of arc).
    std::optional<GeoPoint> fromPlane(double x, double y) const;

    PlanePoint project(const Vec3& point) const;
    PixelPoint planeToPixels(const PlanePoint& p) const
    {
        return {m_halfWidth + p.x * m_pixelsPerRadian, m_halfHeight - p.y * m_pixelsPerRadian};
    }
    // The pixel at angular distance `distance` from the centre in the
    // direction `azimuth` (radians clockwise from north at the centre).
    PixelPoint polarToPixels(double distance, double azimuth) const;

    const Vec3& centre() const { return m_centre; }
    double pixelsPerRadian() const { return m_pixelsPerRadian; }
    double nmPerPixel() const { return EARTH_RADIUS_NM / m_pixelsPerRadian; }
    int width() const { return m_width; }
    int height() const { return m_height; }

private:
    Vec3 m_centre;
    Vec3 m_east;
    Vec3 m_north;
    double m_pixelsPerRadian;
    int m_width;
    int m_height;
    double m_halfWidth;
    double m_halfHeight;
};

}  // namespace map
