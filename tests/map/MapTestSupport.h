// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/Outlines.h"

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

namespace maptest {

// The outlines of the navigation data snapshot, loaded once for all tests.
const map::Outlines& testOutlines();

// The pixel at (x, y) of an RGB24 image surface, as 0xRRGGBB.
std::uint32_t pixelAt(cairo_surface_t* surface, int x, int y);
// Equal but for rounding in the drawing.
bool sameColour(std::uint32_t a, std::uint32_t b);
// Whether most of the 5x5 pixels round (x, y) have this colour: one stray
// line through a spot does not decide what the spot shows.
bool mostlyColoured(cairo_surface_t* surface, double x, double y, std::uint32_t colour);
std::uint32_t rgbOf(double r, double g, double b);

}  // namespace maptest
