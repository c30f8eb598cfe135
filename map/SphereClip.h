// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/Projection.h"

#include <cairo.h>

#include <cstddef>
#include <vector>

namespace map {

// The part of the earth a view draws: a cap around the centre a little wider
// than the picture's corners, so that whatever is cut or folded at its rim
// happens out of sight (for a whole-earth view, at the rim of the disc).
class ViewRegion {
public:
    explicit ViewRegion(const Projection& projection);

    const Projection& projection() const { return m_projection; }
    double maxDistance() const { return m_maxDistance; }
    bool showsWholeEarth() const { return m_wholeEarth; }
    bool mayShow(const Vec3& centre, double radius) const;

    // Adds a closed ring to the current path for an even-odd fill. Points
    // beyond the region are pulled in onto its rim, which keeps the ring's
    // winding round every point inside the region. Returns true when the
    // ring encloses the far side of the earth, whose image in the plane is
    // everything outside the ring: the caller then adds the rim once more.
    bool addRing(cairo_t* cr, const Vec3* points, std::size_t count) const;
    // Adds the region's rim as a closed sub-path.
    void addRim(cairo_t* cr) const;
    // Adds an open line to the current path, cut where it leaves the region.
    void addLine(cairo_t* cr, const Vec3* points, std::size_t count) const;
    // The same for a line given in degrees, returning the pixel pieces too.
    std::vector<std::vector<PixelPoint>> lineInPixels(const std::vector<GeoPoint>& points) const;

private:
    void addRimArc(cairo_t* cr, double fromAzimuth, double toAzimuth) const;
    PixelPoint rimCrossing(const Vec3& inside, double insideDistance, const Vec3& outside, double outsideDistance) const;

    const Projection& m_projection;
    double m_maxDistance;
    bool m_wholeEarth;
};

}  // namespace map
