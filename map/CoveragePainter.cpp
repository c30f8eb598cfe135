// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/CoveragePainter.h"

#include "map/GreatCircle.h"

#include <GeographicLib/Geodesic.hpp>

#include <cmath>

namespace routemap {

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
    setColour(cr, style::kVor, 0.45);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

void paintUncoveredStretches(const MapCanvas& canvas, const std::vector<MapPoint>& route)
{
    cairo_t* cr = canvas.cr;
    const double stepNm = 6.0 * canvas.projection.nmPerPixel();
    const MapPoint* previous = nullptr;
    for (const MapPoint& stop : route) {
        if (!usable(stop))
            continue;
        if (previous) {
            double metres = 0.0;
            GeographicLib::Geodesic::WGS84().Inverse(previous->lat, previous->lon, stop.lat, stop.lon, metres);
            const double lengthNm = metres / 1852.0;
            const double fromNm = previous->rangeNm.value_or(0.0);
            const double toNm = lengthNm - stop.rangeNm.value_or(0.0);
            if (toNm > fromNm)
                addPath(canvas, sampleLegStretch({previous->lat, previous->lon}, {stop.lat, stop.lon}, fromNm, toNm,
                                                 stepNm),
                        true);
        }
        previous = &stop;
    }
    // Red dashes on white in place of the magenta line, so that the
    // stretch reads as a break in the route, not as a colour of it.
    setColour(cr, style::kWhite);
    cairo_set_line_width(cr, 5.5);
    cairo_stroke_preserve(cr);
    const double dash[] = {8.0, 5.0};
    cairo_set_dash(cr, dash, 2, 0.0);
    cairo_set_source_rgb(cr, 0.86, 0.10, 0.10);
    cairo_set_line_width(cr, 3.5);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0.0);
}

}  // namespace routemap
