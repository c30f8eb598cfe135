// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/LabelPlacer.h"
#include "map/MapStyle.h"
#include "map/SphereClip.h"

#include <cairo.h>

namespace map {

// What every layer's painter draws on and with: the cairo context, the
// projection and its region, and the labels gathered for placing last.
struct MapCanvas {
    cairo_t* cr;
    const Projection& projection;
    const ViewRegion& region;
    LabelPlacer& labels;
};

inline void setColour(cairo_t* cr, const Rgb& c, double alpha = 1.0)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

}  // namespace map
