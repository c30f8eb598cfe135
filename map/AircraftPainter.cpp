// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/AircraftPainter.h"

#include "map/GreatCircle.h"

#include <cmath>

namespace map {

namespace {

constexpr Rgb ACTIVE_LEG{0.55, 0.0, 0.38};
constexpr Rgb AIRCRAFT{0.05, 0.05, 0.05};
constexpr Rgb TRACK{0.10, 0.45, 0.15};

bool usable(double lat, double lon) { return std::isfinite(lat) && std::isfinite(lon); }

void strokePieces(cairo_t* cr, const std::vector<std::vector<PixelPoint>>& pieces)
{
    for (const auto& piece : pieces) {
        for (std::size_t i = 0; i < piece.size(); ++i) {
            if (i == 0)
                cairo_move_to(cr, piece[i].x, piece[i].y);
            else
                cairo_line_to(cr, piece[i].x, piece[i].y);
        }
    }
}

}  // namespace

void paintActiveLeg(const MapCanvas& canvas, const std::vector<MapPoint>& route, std::size_t leg)
{
    if (leg + 1 >= route.size())
        return;
    const MapPoint& a = route[leg];
    const MapPoint& b = route[leg + 1];
    if (!usable(a.lat, a.lon) || !usable(b.lat, b.lon))
        return;
    cairo_t* cr = canvas.cr;
    cairo_save(cr);
    const double stepNm = 6.0 * canvas.projection.nmPerPixel();
    strokePieces(cr, canvas.region.lineInPixels(sampleLeg({a.lat, a.lon}, {b.lat, b.lon}, stepNm)));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    setColour(cr, style::WHITE, 0.9);
    cairo_set_line_width(cr, 8.5);
    cairo_stroke_preserve(cr);
    setColour(cr, ACTIVE_LEG);
    cairo_set_line_width(cr, 5.0);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void paintAircraft(const MapCanvas& canvas, const AircraftMark& aircraft)
{
    cairo_t* cr = canvas.cr;
    cairo_save(cr);
    std::vector<GeoPoint> track;
    track.reserve(aircraft.track.size() + 1);
    for (const AircraftMark::TrackPoint& p : aircraft.track)
        if (usable(p.lat, p.lon))
            track.push_back({p.lat, p.lon});
    if (track.size() >= 2) {
        strokePieces(cr, canvas.region.lineInPixels(track));
        setColour(cr, TRACK, 0.85);
        cairo_set_line_width(cr, 2.0);
        cairo_stroke(cr);
    }
    if (usable(aircraft.lat, aircraft.lon)) {
        const PlanePoint plane = canvas.projection.project(toVector(aircraft.lat, aircraft.lon));
        if (plane.distance <= canvas.region.maxDistance()) {
            const PixelPoint c = canvas.projection.planeToPixels(plane);
            cairo_translate(cr, c.x, c.y);
            if (aircraft.headingTrue && std::isfinite(*aircraft.headingTrue)) {
                // Screen north is near enough true north at the aircraft for a symbol.
                cairo_rotate(cr, *aircraft.headingTrue * PI / 180.0);
                cairo_move_to(cr, 0.0, -11.0);
                cairo_line_to(cr, 7.0, 8.0);
                cairo_line_to(cr, 0.0, 4.0);
                cairo_line_to(cr, -7.0, 8.0);
                cairo_close_path(cr);
            } else {
                cairo_arc(cr, 0.0, 0.0, 6.0, 0.0, 2.0 * PI);
            }
            setColour(cr, style::WHITE);
            cairo_set_line_width(cr, 3.0);
            cairo_stroke_preserve(cr);
            setColour(cr, AIRCRAFT);
            cairo_fill(cr);
        }
    }
    cairo_restore(cr);
}

}  // namespace map
