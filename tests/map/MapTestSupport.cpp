// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/map/MapTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <dirent.h>
#include <fontconfig/fontconfig.h>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace maptest {

namespace {

// Cairo and fontconfig keep fonts cached for the life of the process; freed
// at the end, so that the leak checker reports only what the map leaks.
class FontCaches : public ::testing::Environment {
public:
    void TearDown() override
    {
        cairo_debug_reset_static_data();
        FcFini();
    }
};

const auto* const FONT_CACHES = ::testing::AddGlobalTestEnvironment(new FontCaches);

}  // namespace

const map::Outlines& testOutlines()
{
    static const map::Outlines outlines = map::loadOutlines(MERIDANE_NATURALEARTH_DIR);
    return outlines;
}

std::uint32_t pixelAt(cairo_surface_t* surface, int x, int y)
{
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    return *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4) & 0xFFFFFFu;
}

std::uint32_t rgbOf(double r, double g, double b)
{
    const auto channel = [](double v) { return static_cast<std::uint32_t>(std::lround(v * 255.0)); };
    return channel(r) << 16 | channel(g) << 8 | channel(b);
}

bool sameColour(std::uint32_t a, std::uint32_t b)
{
    for (int shift = 0; shift < 24; shift += 8) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 3) {
            return false;
        }
    }
    return true;
}

bool mostlyColoured(cairo_surface_t* surface, double x, double y, std::uint32_t colour)
{
    const int cx = static_cast<int>(std::lround(x));
    const int cy = static_cast<int>(std::lround(y));
    int matching = 0;
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            const int px = cx + dx;
            const int py = cy + dy;
            if (px >= 0 && py >= 0 && px < cairo_image_surface_get_width(surface) &&
                py < cairo_image_surface_get_height(surface) && sameColour(pixelAt(surface, px, py), colour)) {
                ++matching;
            }
        }
    }
    return matching >= 13;
}

}  // namespace maptest
