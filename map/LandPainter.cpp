// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/LandPainter.h"

namespace map {

namespace {

// Strokes each line on its own with the current pen: cairo strokes many
// small paths much faster than one path that spans the picture.
void strokeLines(const MapCanvas& canvas, const OutlineLines& lines)
{
    for (const OutlineLines::Line& line : lines.lines) {
        if (canvas.region.mayShow(line.cap.centre, line.cap.radius)) {
            canvas.region.addLine(canvas.cr, &lines.points[line.begin], line.end - line.begin);
            cairo_stroke(canvas.cr);
        }
    }
}

}  // namespace

void paintSea(const MapCanvas& canvas)
{
    cairo_t* cr = canvas.cr;
    if (canvas.region.showsWholeEarth()) {
        setColour(cr, style::OFF_EARTH);
        cairo_paint(cr);
        canvas.region.addRim(cr);
        setColour(cr, style::SEA);
        cairo_fill(cr);
    } else {
        setColour(cr, style::SEA);
        cairo_paint(cr);
    }
}

void paintLand(const MapCanvas& canvas, const OutlineDetail& outlines)
{
    cairo_t* cr = canvas.cr;
    const OutlineAreas& areas = outlines.land;
    // One path, filled even-odd: holes cut out, and rings that enclose the
    // far side of the earth toggle the whole region once more.
    bool farSide = false;
    for (const OutlineAreas::Polygon& polygon : areas.polygons) {
        if (!canvas.region.mayShow(polygon.cap.centre, polygon.cap.radius)) {
            continue;
        }
        for (std::uint32_t r = polygon.firstRing; r < polygon.firstRing + polygon.ringCount; ++r) {
            const OutlineAreas::Ring& ring = areas.rings[r];
            if (canvas.region.addRing(cr, &areas.points[ring.begin], ring.end - ring.begin)) {
                farSide = !farSide;
            }
        }
    }
    if (farSide) {
        canvas.region.addRim(cr);
    }
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    setColour(cr, style::LAND);
    cairo_fill(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);

    setColour(cr, style::COAST);
    cairo_set_line_width(cr, 0.8);
    strokeLines(canvas, outlines.coast);
}

void paintBorders(const MapCanvas& canvas, const OutlineLines& borders)
{
    cairo_t* cr = canvas.cr;
    const double dashes[] = {4.0, 2.0};
    cairo_set_dash(cr, dashes, 2, 0.0);
    setColour(cr, style::BORDER);
    cairo_set_line_width(cr, 0.8);
    strokeLines(canvas, borders);
    cairo_set_dash(cr, nullptr, 0, 0.0);
}

}  // namespace map
