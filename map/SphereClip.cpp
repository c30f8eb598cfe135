// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/SphereClip.h"

#include <algorithm>
#include <cmath>

namespace map {

namespace {

constexpr double RIM_STEP = PI / 180.0;       // the rim is drawn in 1° steps
constexpr double SKIP_SQUARED = 0.25;          // points closer than half a pixel are dropped
constexpr double REGION_MARGIN = 1.0 * PI / 180.0;

double wrapAngle(double a)
{
    if (a > PI) {
        a -= 2.0 * PI;
    } else if (a <= -PI) {
        a += 2.0 * PI;
    }
    return a;
}

bool closeTo(const PixelPoint& a, const PixelPoint& b)
{
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    return dx * dx + dy * dy < SKIP_SQUARED;
}

}  // namespace

ViewRegion::ViewRegion(const Projection& projection) : m_projection(projection)
{
    // Distances from the centre are true in this projection, so the farthest
    // point of the picture is a corner at its plain pixel distance.
    const double corner = std::hypot(projection.width() / 2.0, projection.height() / 2.0) / projection.pixelsPerRadian();
    const double wanted = corner * 1.25 + REGION_MARGIN;
    const double limit = PI - 0.01;
    m_wholeEarth = wanted >= limit;
    m_maxDistance = std::min(wanted, limit);
}

bool ViewRegion::mayShow(const Vec3& centre, double radius) const
{
    return angleBetween(centre, m_projection.centre()) <= radius + m_maxDistance;
}

void ViewRegion::addRimArc(cairo_t* cr, double fromAzimuth, double toAzimuth) const
{
    const int steps = static_cast<int>(std::fabs(toAzimuth - fromAzimuth) / RIM_STEP);
    const double direction = toAzimuth > fromAzimuth ? RIM_STEP : -RIM_STEP;
    for (int i = 1; i <= steps; ++i) {
        const PixelPoint p = m_projection.polarToPixels(m_maxDistance, fromAzimuth + i * direction);
        cairo_line_to(cr, p.x, p.y);
    }
    const PixelPoint end = m_projection.polarToPixels(m_maxDistance, toAzimuth);
    cairo_line_to(cr, end.x, end.y);
}

void ViewRegion::addRim(cairo_t* cr) const
{
    const PixelPoint start = m_projection.polarToPixels(m_maxDistance, 0.0);
    cairo_new_sub_path(cr);
    cairo_move_to(cr, start.x, start.y);
    addRimArc(cr, 0.0, 2.0 * PI);
    cairo_close_path(cr);
}

bool ViewRegion::addRing(cairo_t* cr, const Vec3* points, std::size_t count) const
{
    if (count < 3) {
        return false;
    }
    // Walks the ring once, projecting each point and following its azimuth
    // round the centre: the turns tell whether the ring separates the centre
    // from the far side, and the swept area which side is the smaller one.
    // Sub-path segments are gathered first: a ring that never enters the
    // region and does not go round it adds nothing.
    struct Step {
        PixelPoint pixel;
        double azimuth;  // unwrapped
        bool outside;
    };
    thread_local std::vector<Step> steps;
    steps.clear();

    double azimuth = 0.0;
    double previousAzimuth = 0.0;
    double previousCos = 1.0;
    double turned = 0.0;
    double sweptArea = 0.0;
    bool anyInside = false;
    for (std::size_t i = 0; i < count; ++i) {
        const PlanePoint p = m_projection.project(points[i]);
        const double rawAzimuth = p.distance > 1e-12 ? std::atan2(p.x, p.y) : previousAzimuth;
        const double cosDistance = dot(points[i], m_projection.centre());
        if (i == 0) {
            azimuth = rawAzimuth;
        } else {
            const double turn = wrapAngle(rawAzimuth - previousAzimuth);
            azimuth += turn;
            turned += turn;
            sweptArea += turn * (1.0 - 0.5 * (cosDistance + previousCos));
        }
        previousAzimuth = rawAzimuth;
        previousCos = cosDistance;
        const bool outside = p.distance > m_maxDistance;
        anyInside = anyInside || !outside;
        steps.push_back({outside ? PixelPoint{} : m_projection.planeToPixels(p), azimuth, outside});
    }

    const bool goesRound = std::fabs(turned) > PI;
    if (!anyInside && !goesRound) {
        return false;
    }

    cairo_new_sub_path(cr);
    bool started = false;
    PixelPoint last;
    double rimAzimuth = 0.0;  // where the path stands on the rim, while outside
    bool onRim = false;
    auto lineTo = [&](const PixelPoint& p) {
        if (!started) {
            cairo_move_to(cr, p.x, p.y);
            started = true;
        } else {
            cairo_line_to(cr, p.x, p.y);
        }
        last = p;
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        if (s.outside) {
            if (!onRim) {
                lineTo(m_projection.polarToPixels(m_maxDistance, s.azimuth));
                onRim = true;
            } else {
                addRimArc(cr, rimAzimuth, s.azimuth);
            }
            rimAzimuth = s.azimuth;
        } else {
            onRim = false;
            const bool lastPoint = i + 1 == steps.size();
            if (!started || lastPoint || !closeTo(s.pixel, last)) {
                lineTo(s.pixel);
            }
        }
    }
    cairo_close_path(cr);

    // The ring encloses its smaller side (no land is larger than half the
    // earth). When it goes round the centre, the side holding the centre has
    // the swept area; if that is the larger side, the ring encloses the far
    // side, which the plane shows as all but the ring's inside.
    return goesRound && std::fabs(sweptArea) > 2.0 * PI;
}

PixelPoint ViewRegion::rimCrossing(const Vec3& inside, double insideDistance, const Vec3& outside,
                                   double outsideDistance) const
{
    const double t = (m_maxDistance - insideDistance) / (outsideDistance - insideDistance);
    const Vec3 v = normalised({inside.x + t * (outside.x - inside.x), inside.y + t * (outside.y - inside.y),
                               inside.z + t * (outside.z - inside.z)});
    return m_projection.toPixels(v);
}

void ViewRegion::addLine(cairo_t* cr, const Vec3* points, std::size_t count) const
{
    bool drawing = false;
    bool previousInside = false;
    double previousDistance = 0.0;
    PixelPoint last;
    for (std::size_t i = 0; i < count; ++i) {
        const PlanePoint p = m_projection.project(points[i]);
        const bool inside = p.distance <= m_maxDistance;
        if (inside) {
            const PixelPoint pixel = m_projection.planeToPixels(p);
            if (!drawing) {
                const PixelPoint start = i > 0 ? rimCrossing(points[i], p.distance, points[i - 1], previousDistance) : pixel;
                cairo_move_to(cr, start.x, start.y);
                last = start;
                drawing = true;
            }
            if (!closeTo(pixel, last) || i + 1 == count) {
                cairo_line_to(cr, pixel.x, pixel.y);
                last = pixel;
            }
        } else if (previousInside && i > 0) {
            const PixelPoint end = rimCrossing(points[i - 1], previousDistance, points[i], p.distance);
            cairo_line_to(cr, end.x, end.y);
            drawing = false;
        }
        previousInside = inside;
        previousDistance = p.distance;
    }
}

std::vector<std::vector<PixelPoint>> ViewRegion::lineInPixels(const std::vector<GeoPoint>& points) const
{
    std::vector<std::vector<PixelPoint>> pieces;
    bool drawing = false;
    for (const GeoPoint& g : points) {
        const Vec3 v = toVector(g.lat, g.lon);
        const PlanePoint p = m_projection.project(v);
        if (p.distance > m_maxDistance) {
            drawing = false;
            continue;
        }
        if (!drawing) {
            pieces.emplace_back();
            drawing = true;
        }
        pieces.back().push_back(m_projection.planeToPixels(p));
    }
    return pieces;
}

}  // namespace map
