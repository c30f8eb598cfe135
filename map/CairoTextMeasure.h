// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/LabelPlacer.h"

#include <cairo.h>

namespace map {

// Measures lines in the map's typeface on cr (borrowed; it must outlive the
// measure), with the font's own widths rather than those rounded to whole
// pixels: an SVG viewer lays the text out so.
TextMeasure cairoTextMeasure(cairo_t* cr);

}  // namespace map
