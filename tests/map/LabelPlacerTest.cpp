// SPDX-License-Identifier: GPL-3.0-or-later
// The label placer judged by what it hands back, the texts and where they
// stand, measured by their ink as cairo draws them.

#include "map/CairoTextMeasure.h"
#include "map/LabelPlacer.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using namespace map;

namespace {

constexpr int WIDTH = 400;
constexpr int HEIGHT = 300;

struct Picture {
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface{
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, WIDTH, HEIGHT), cairo_surface_destroy};
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr{cairo_create(surface.get()), cairo_destroy};
};

// The ink of a placed line of text.
Box inkBox(cairo_t* cr, const MapText& text)
{
    cairo_select_font_face(cr, MAP_FONT_FAMILY, CAIRO_FONT_SLANT_NORMAL,
                           text.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, text.size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.text.c_str(), &e);
    return {text.x + e.x_bearing, text.y + e.y_bearing, text.x + e.x_bearing + e.width,
            text.y + e.y_bearing + e.height};
}

bool overlap(const Box& a, const Box& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

const MapText* find(const std::vector<MapText>& texts, const std::string& text)
{
    const auto found =
        std::find_if(texts.begin(), texts.end(), [&](const MapText& t) { return t.text == text; });
    return found == texts.end() ? nullptr : &*found;
}

LabelLine line(const char* text, double size, bool bold = false)
{
    LabelLine l;
    l.text = text;
    l.size = size;
    l.bold = bold;
    return l;
}

}  // namespace

// In the middle and in every corner and along every edge, where only some
// spots round the point lie inside the picture.
const PixelPoint ANCHORS[] = {{200, 150}, {6, 6},     {394, 6},  {6, 294}, {394, 294},
                               {200, 6},   {200, 294}, {6, 150},  {394, 150}};

TEST(LabelPlacer, ALoneOptionalLabelIsPlacedInsideThePicture)
{
    for (const PixelPoint& anchor : ANCHORS) {
        Picture picture;
        LabelPlacer placer(cairoTextMeasure(picture.cr.get()), WIDTH, HEIGHT);
        placer.addBeside(LabelPlacer::Importance::OtherBeacon, anchor, 4.0, {line("SAX", 9.0)});
        const std::vector<MapText> texts = placer.place();
        const MapText* label = find(texts, "SAX");
        ASSERT_NE(label, nullptr) << anchor.x << "," << anchor.y;
        const Box ink = inkBox(picture.cr.get(), *label);
        EXPECT_TRUE(ink.left >= 0 && ink.top >= 0 && ink.right <= WIDTH && ink.bottom <= HEIGHT)
            << anchor.x << "," << anchor.y;
    }
}

TEST(LabelPlacer, AnOptionalLabelAtARouteLabelsAnchorNeverOverlapsIt)
{
    for (const PixelPoint& anchor : ANCHORS) {
        Picture picture;
        cairo_t* cr = picture.cr.get();
        LabelPlacer placer(cairoTextMeasure(cr), WIDTH, HEIGHT);
        // Asked for first, yet the route's label goes first.
        placer.addBeside(LabelPlacer::Importance::OtherBeacon, anchor, 4.0, {line("SAX 115.7", 9.0)});
        placer.addBeacon(anchor, 5.0, line("MAD", 12.0, true), line("Madison 110.4", 10.0));
        const std::vector<MapText> texts = placer.place();
        const MapText* route = find(texts, "MAD");
        const MapText* routeSecond = find(texts, "Madison 110.4");
        ASSERT_TRUE(route && routeSecond) << anchor.x << "," << anchor.y;
        if (const MapText* optional = find(texts, "SAX 115.7")) {
            const Box ink = inkBox(cr, *optional);
            EXPECT_FALSE(overlap(ink, inkBox(cr, *route)) || overlap(ink, inkBox(cr, *routeSecond)))
                << anchor.x << "," << anchor.y;
        }
    }
}
