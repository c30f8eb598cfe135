// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/CoveragePainter.h"

#include "map/GreatCircle.h"

#include <cmath>

namespace map {

namespace {

bool usable(const MapPoint& p)
{
    return std::isfinite(p.lat) && std::isfinite(p.lon);
}

// Adds the line to the path; a kept line is one no label may cover.
void addPath(const MapCanvas& canvas, const std::vector<GeoPoint>& points, bool kept = false)
{
    for (const auto& piece : canvas.region.lineInPixels(points)) {
        if (kept)
            canvas.labels.addKeptLine(piece);
        for (std::size_t i = 0; i < piece.size(); ++i) {
            if (i == 0)
                cairo_move_to(canvas.cr, piece[i].x, piece[i].y);
            else
                cairo_line_to(canvas.cr, piece[i].x, piece[i].y);
        }
    }
}

}  // namespace

void paintRangeRings(const MapCanvas& canvas, const std::vector<MapPoint>& route)
{
    cairo_t* cr = canvas.cr;
    const double stepNm = 6.0 * canvas.projection.nmPerPixel();
    for (const MapPoint& stop : route) {
        if (!usable(stop) || !stop.rangeNm || !(*stop.rangeNm > 0.0))
            continue;
        addPath(canvas, sampleCircle({stop.lat, stop.lon}, *stop.rangeNm, stepNm));
    }
    setColour(cr, style::VOR, 0.45);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

void paintUncoveredStretches(const MapCanvas& canvas, const std::vector<MapPoint>& route,
                             const std::vector<UncoveredStretch>& stretches)
{
    if (stretches.empty())
        return;
    cairo_t* cr = canvas.cr;
    const double stepNm = 6.0 * canvas.projection.nmPerPixel();
    for (const UncoveredStretch& stretch : stretches) {
        if (stretch.leg + 1 >= route.size() || !(stretch.toNm > stretch.fromNm))
            continue;
        const MapPoint& from = route[stretch.leg];
        const MapPoint& to = route[stretch.leg + 1];
        if (usable(from) && usable(to))
            addPath(canvas, sampleLegStretch({from.lat, from.lon}, {to.lat, to.lon}, stretch.fromNm, stretch.toNm,
                                             stepNm),
                    true);
    }
    // Red dashes on white in place of the magenta line, so that the
    // stretch reads as a break in the route, not as a colour of it.
    setColour(cr, style::WHITE);
    cairo_set_line_width(cr, 5.5);
    cairo_stroke_preserve(cr);
    const double dash[] = {8.0, 5.0};
    cairo_set_dash(cr, dash, 2, 0.0);
    cairo_set_source_rgb(cr, 0.86, 0.10, 0.10);
    cairo_set_line_width(cr, 3.5);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0.0);
}

}  // namespace map
