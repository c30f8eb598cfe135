// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/ViewFit.h"

#include "map/GreatCircle.h"
#include "map/Projection.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace map {

namespace {

constexpr double SMALLEST_SPAN_NM = 200.0;

double shorterSide(int width, int height)
{
    return std::max(1.0, static_cast<double>(std::min(width, height)));
}

std::vector<GeoPoint> routeOutline(const MapScene& scene)
{
    std::vector<GeoPoint> stops;
    for (const MapPoint& p : scene.route) {
        if (std::isfinite(p.lat) && std::isfinite(p.lon)) {
            stops.push_back({p.lat, p.lon});
        }
    }
    std::vector<GeoPoint> outline = stops;
    for (std::size_t i = 1; i < stops.size(); ++i) {
        const auto leg = sampleLeg(stops[i - 1], stops[i], 25.0);
        outline.insert(outline.end(), leg.begin(), leg.end());
    }
    return outline;
}

}  // namespace

MapView worldView(int width, int height)
{
    const double radiusPixels = std::max(1.0, shorterSide(width, height) / 2.0 - 8.0);
    return {0.0, 0.0, PI * EARTH_RADIUS_NM / radiusPixels};
}

MapView fitView(const MapScene& scene, int width, int height)
{
    const std::vector<GeoPoint> outline = routeOutline(scene);
    if (outline.empty()) {
        return worldView(width, height);
    }
    Vec3 sum;
    for (const GeoPoint& p : outline) {
        const Vec3 v = toVector(p.lat, p.lon);
        sum = {sum.x + v.x, sum.y + v.y, sum.z + v.z};
    }
    const Vec3 middle = dot(sum, sum) > 1e-12 ? normalised(sum) : toVector(outline.front().lat, outline.front().lon);
    MapView view{latitudeOf(middle), longitudeOf(middle), 1.0};

    // Centre on the middle of the route's extent in the plane; twice, since
    // moving the centre bends the extent a little.
    double halfX = 0.0;
    double halfY = 0.0;
    for (int pass = 0; pass < 3; ++pass) {
        const Projection projection(view, 1, 1);
        double minX = 0.0, maxX = 0.0, minY = 0.0, maxY = 0.0;
        bool first = true;
        for (const GeoPoint& g : outline) {
            const PlanePoint p = projection.project(toVector(g.lat, g.lon));
            minX = first ? p.x : std::min(minX, p.x);
            maxX = first ? p.x : std::max(maxX, p.x);
            minY = first ? p.y : std::min(minY, p.y);
            maxY = first ? p.y : std::max(maxY, p.y);
            first = false;
        }
        halfX = std::max(std::fabs(minX), std::fabs(maxX));
        halfY = std::max(std::fabs(minY), std::fabs(maxY));
        if (pass == 2) {
            break;
        }
        const auto centre = projection.fromPlane((minX + maxX) / 2.0, (minY + maxY) / 2.0);
        if (!centre) {
            break;
        }
        view.centerLat = centre->lat;
        view.centerLon = centre->lon;
    }

    // Room for the labels round the route.
    const double marginX = std::max(60.0, 0.08 * width);
    const double marginY = std::max(50.0, 0.08 * height);
    const double usableWidth = std::max(1.0, width - 2.0 * marginX);
    const double usableHeight = std::max(1.0, height - 2.0 * marginY);
    double nmPerPixel = std::max(2.0 * halfX * EARTH_RADIUS_NM / usableWidth, 2.0 * halfY * EARTH_RADIUS_NM / usableHeight);
    nmPerPixel = std::max(nmPerPixel, SMALLEST_SPAN_NM / shorterSide(width, height));
    view.nmPerPixel = std::min(nmPerPixel, worldView(width, height).nmPerPixel);
    return view;
}

}  // namespace map
