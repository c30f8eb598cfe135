// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/RoutePainter.h"

#include "map/GreatCircle.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace map {

namespace {

// The least distance between two faint beacons drawn, in pixels.
constexpr double OTHER_BEACON_SPACING = 14.0;
// The picture's area for each faint beacon where their idents are shown.
constexpr double PIXELS_PER_OTHER_BEACON_LABEL = 60.0 * 60.0;

bool usable(const MapPoint& p)
{
    return std::isfinite(p.lat) && std::isfinite(p.lon);
}

// The pixel of a point the view shows, if it does.
bool pixelOf(const MapCanvas& canvas, const MapPoint& p, PixelPoint& pixel)
{
    if (!usable(p)) {
        return false;
    }
    const PlanePoint plane = canvas.projection.project(toVector(p.lat, p.lon));
    if (plane.distance > canvas.region.maxDistance()) {
        return false;
    }
    pixel = canvas.projection.planeToPixels(plane);
    return true;
}

bool onPicture(const MapCanvas& canvas, const PixelPoint& p, double margin)
{
    return p.x >= -margin && p.y >= -margin && p.x <= canvas.projection.width() + margin &&
           p.y <= canvas.projection.height() + margin;
}

void hexagon(cairo_t* cr, const PixelPoint& c, double radius)
{
    for (int i = 0; i < 6; ++i) {
        const double a = PI / 3.0 * i;
        const double x = c.x + radius * std::cos(a);
        const double y = c.y + radius * std::sin(a);
        if (i == 0) {
            cairo_move_to(cr, x, y);
        } else {
            cairo_line_to(cr, x, y);
        }
    }
    cairo_close_path(cr);
}

// A filled disc in the colour set last.
void disc(cairo_t* cr, double x, double y, double radius)
{
    cairo_arc(cr, x, y, radius, 0.0, 2.0 * PI);
    cairo_fill(cr);
}

void vorSymbol(cairo_t* cr, const PixelPoint& c)
{
    hexagon(cr, c, style::VOR_RADIUS);
    setColour(cr, style::WHITE);
    cairo_fill_preserve(cr);
    setColour(cr, style::VOR);
    cairo_set_line_width(cr, 2.0);
    cairo_stroke(cr);
    disc(cr, c.x, c.y, 3.0);
}

// A chart's NDB: a centre dot in rings of dots.
void ndbSymbol(cairo_t* cr, const PixelPoint& c)
{
    setColour(cr, style::WHITE);
    disc(cr, c.x, c.y, style::NDB_RADIUS + 1.0);
    setColour(cr, style::NDB);
    for (const auto& [ring, dots] : {std::pair{style::NDB_RADIUS * 0.55, 8}, std::pair{style::NDB_RADIUS, 14}}) {
        for (int i = 0; i < dots; ++i) {
            const double a = 2.0 * PI * i / dots;
            disc(cr, c.x + ring * std::cos(a), c.y + ring * std::sin(a), 1.1);
        }
    }
    disc(cr, c.x, c.y, 2.5);
}

void airportSymbol(cairo_t* cr, const PixelPoint& c)
{
    setColour(cr, style::WHITE);
    disc(cr, c.x, c.y, style::AIRPORT_RADIUS + 1.5);
    setColour(cr, style::AIRPORT);
    disc(cr, c.x, c.y, style::AIRPORT_RADIUS);
    // A runway across the disc, as charts mark an airfield.
    cairo_move_to(cr, c.x - style::AIRPORT_RADIUS * 0.55, c.y + style::AIRPORT_RADIUS * 0.55);
    cairo_line_to(cr, c.x - 2.5, c.y + 2.5);
    cairo_move_to(cr, c.x + 2.5, c.y - 2.5);
    cairo_line_to(cr, c.x + style::AIRPORT_RADIUS * 0.55, c.y - style::AIRPORT_RADIUS * 0.55);
    setColour(cr, style::WHITE);
    cairo_set_line_width(cr, 2.0);
    cairo_stroke(cr);
}

}  // namespace

void paintOtherBeacons(const MapCanvas& canvas, const std::vector<MapPoint>& beacons, const std::vector<MapPoint>& route)
{
    cairo_t* cr = canvas.cr;
    const auto onRoute = [&](const MapPoint& beacon) {
        for (const MapPoint& stop : route) {
            if (stop.ident == beacon.ident && stop.lat == beacon.lat && stop.lon == beacon.lon) {
                return true;
            }
        }
        return false;
    };
    // Room is kept round the route's own symbols, which are drawn later.
    std::vector<PixelPoint> taken;
    for (const MapPoint& stop : route) {
        PixelPoint p;
        if (pixelOf(canvas, stop, p)) {
            taken.push_back(p);
        }
    }
    const double routeRoom = style::VOR_RADIUS + style::OTHER_BEACON_RADIUS + 1.0;
    const std::size_t routeSymbols = taken.size();
    // At small scales the beacons thin out: one within each few pixels.
    const double spacing = OTHER_BEACON_SPACING;
    std::unordered_map<long long, std::vector<std::size_t>> cells;
    const auto cellOf = [&](double x, double y) {
        // Rows apart by more columns than any picture has; cells left of
        // or above the picture count negative.
        return static_cast<long long>(std::floor(y / spacing)) * 1000003LL + static_cast<long long>(std::floor(x / spacing));
    };
    const auto crowded = [&](const PixelPoint& p) {
        for (std::size_t i = 0; i < routeSymbols; ++i) {
            if (std::hypot(taken[i].x - p.x, taken[i].y - p.y) < routeRoom) {
                return true;
            }
        }
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const auto cell = cells.find(cellOf(p.x + dx * spacing, p.y + dy * spacing));
                if (cell == cells.end()) {
                    continue;
                }
                for (const std::size_t i : cell->second) {
                    if (std::hypot(taken[i].x - p.x, taken[i].y - p.y) < spacing) {
                        return true;
                    }
                }
            }
        }
        return false;
    };
    std::vector<std::pair<PixelPoint, const MapPoint*>> shown;
    std::vector<PixelPoint> ndbs;
    const double r = style::OTHER_BEACON_RADIUS;
    for (const MapPoint& beacon : beacons) {
        PixelPoint p;
        if (!pixelOf(canvas, beacon, p) || !onPicture(canvas, p, r) || onRoute(beacon) || crowded(p)) {
            continue;
        }
        cells[cellOf(p.x, p.y)].push_back(taken.size());
        taken.push_back(p);
        if (beacon.kind == MapPoint::Kind::Ndb) {
            ndbs.push_back(p);
        } else {
            hexagon(cr, p, r);
        }
        shown.emplace_back(p, &beacon);
        canvas.labels.addMinorSymbol({p.x - r, p.y - r, p.x + r, p.y + r});
    }
    setColour(cr, style::OTHER_BEACON, 0.55);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    // An NDB as charts draw it faintly: a ring of dots.
    for (const PixelPoint& p : ndbs) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, p.x, p.y, r - 0.5, 0.0, 2.0 * PI);
    }
    const double dots[] = {1.2, 1.6};
    cairo_set_dash(cr, dots, 2, 0.0);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0.0);
    // Idents only while they can be read; a crowd of them hides the route.
    const double area = canvas.projection.width() * canvas.projection.height();
    if (static_cast<double>(shown.size()) > area / PIXELS_PER_OTHER_BEACON_LABEL) {
        return;
    }
    for (const auto& [p, beacon] : shown) {
        canvas.labels.addBeside(LabelPlacer::Importance::OtherBeacon, p, r + 1.0,
                                {{beacon->ident, 9.0, false, style::OTHER_BEACON, false}});
    }
}

void paintLegs(const MapCanvas& canvas, const std::vector<MapPoint>& route)
{
    cairo_t* cr = canvas.cr;
    const double stepNm = 6.0 * canvas.projection.nmPerPixel();
    const MapPoint* previous = nullptr;
    for (const MapPoint& stop : route) {
        if (!usable(stop)) {
            continue;
        }
        if (previous) {
            const auto points = sampleLeg({previous->lat, previous->lon}, {stop.lat, stop.lon}, stepNm);
            for (const auto& piece : canvas.region.lineInPixels(points)) {
                for (std::size_t i = 0; i < piece.size(); ++i) {
                    if (i == 0) {
                        cairo_move_to(cr, piece[i].x, piece[i].y);
                    } else {
                        cairo_line_to(cr, piece[i].x, piece[i].y);
                    }
                }
                canvas.labels.addRouteLine(piece);
            }
        }
        previous = &stop;
    }
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setColour(cr, style::WHITE, 0.9);
    cairo_set_line_width(cr, 5.5);
    cairo_stroke_preserve(cr);
    setColour(cr, style::LEG);
    cairo_set_line_width(cr, 3.0);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

void paintRoutePoints(const MapCanvas& canvas, const std::vector<MapPoint>& route)
{
    for (auto stop = route.begin(); stop != route.end(); ++stop) {
        // A round trip ends where it began: one label for both.
        const bool seen = std::any_of(route.begin(), stop, [&](const MapPoint& earlier) {
            return earlier.ident == stop->ident && earlier.lat == stop->lat && earlier.lon == stop->lon;
        });
        if (seen) {
            continue;
        }
        PixelPoint p;
        if (!pixelOf(canvas, *stop, p) || !onPicture(canvas, p, 20.0)) {
            continue;
        }
        const bool airport = stop->kind == MapPoint::Kind::Airport;
        const bool ndb = stop->kind == MapPoint::Kind::Ndb;
        const double radius = airport ? style::AIRPORT_RADIUS + 1.5 : ndb ? style::NDB_RADIUS + 1.0 : style::VOR_RADIUS + 1.0;
        if (airport) {
            airportSymbol(canvas.cr, p);
        } else if (ndb) {
            ndbSymbol(canvas.cr, p);
        } else {
            vorSymbol(canvas.cr, p);
        }
        canvas.labels.addObstacle({p.x - radius, p.y - radius, p.x + radius, p.y + radius});
        const LabelLine ident{stop->ident, 13.0, true,
                              airport ? style::AIRPORT : ndb ? style::NDB : style::VOR, true};
        if (airport) {
            canvas.labels.addAirport(p, radius + 2.0, ident, {stop->name, 11.0, false, style::INK, true});
        } else {
            canvas.labels.addBeacon(p, radius + 2.0, ident, {stop->frequency, 11.0, false, style::INK, true});
        }
    }
}

}  // namespace map
