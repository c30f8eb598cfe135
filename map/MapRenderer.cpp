// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/MapRenderer.h"

#include "map/CairoTextMeasure.h"
#include "map/AircraftPainter.h"
#include "map/CoveragePainter.h"
#include "map/FurniturePainter.h"
#include "map/GraticulePainter.h"
#include "map/LandPainter.h"
#include "map/RoutePainter.h"

namespace map {

namespace {

constexpr double FINE_OUTLINES_BELOW_DEGREES = 40.0;

}  // namespace

bool usesFineOutlines(const MapView& view, int width)
{
    return width * view.nmPerPixel / 60.0 < FINE_OUTLINES_BELOW_DEGREES;
}

std::vector<MapText> drawMap(cairo_t* cr, const Outlines& outlines, const MapScene& scene, const MapView& view,
                             int width, int height, TextMode textMode)
{
    if (width <= 0 || height <= 0) {
        return {};
    }
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_clip(cr);

    const Projection projection(view, width, height);
    const ViewRegion region(projection);
    LabelPlacer labels(cairoTextMeasure(cr), width, height);
    const MapCanvas canvas{cr, projection, region, labels};

    paintSea(canvas);
    const OutlineDetail& detail = usesFineOutlines(view, width) ? outlines.fine : outlines.coarse;
    paintLand(canvas, detail);
    paintBorders(canvas, detail.borders);
    paintGraticule(canvas);
    paintOtherBeacons(canvas, scene.otherBeacons, scene.route);
    if (scene.showRanges)
        paintRangeRings(canvas, scene.route);
    paintLegs(canvas, scene.route);
    paintUncoveredStretches(canvas, scene.route, scene.uncovered);
    if (scene.activeLeg)
        paintActiveLeg(canvas, scene.route, *scene.activeLeg);
    paintRoutePoints(canvas, scene.route);
    if (scene.aircraft)
        paintAircraft(canvas, *scene.aircraft);
    paintScaleBar(canvas);
    paintNorthArrow(canvas);

    std::vector<MapText> texts = labels.place();
    if (textMode == TextMode::Draw) {
        drawTexts(cr, texts);
    }
    cairo_restore(cr);
    return texts;
}

void drawTexts(cairo_t* cr, const std::vector<MapText>& texts)
{
    cairo_save(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (const MapText& text : texts) {
        cairo_select_font_face(cr, MAP_FONT_FAMILY, CAIRO_FONT_SLANT_NORMAL,
                               text.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, text.size);
        if (text.halo) {
            // Stroking glyph outlines costs far more than showing glyphs:
            // kept for the few labels that must stand out.
            cairo_new_path(cr);
            cairo_move_to(cr, text.x, text.y);
            cairo_text_path(cr, text.text.c_str());
            cairo_set_source_rgba(cr, 1.0, 1.0, 1.0, 0.85);
            cairo_set_line_width(cr, 3.0);
            cairo_stroke(cr);
        }
        cairo_move_to(cr, text.x, text.y);
        cairo_set_source_rgb(cr, text.colour.r, text.colour.g, text.colour.b);
        cairo_show_text(cr, text.text.c_str());
        cairo_new_path(cr);
    }
    cairo_restore(cr);
}

}  // namespace map
