// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/GraticulePainter.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace map {

namespace {

constexpr double LABEL_SIZE = 10.0;

std::string degreesText(double value, char positive, char negative)
{
    const double magnitude = std::fabs(value);
    const long minutes = std::lround(magnitude * 60.0);
    std::string text = std::to_string(minutes / 60) + "\u00B0";
    if (minutes % 60 != 0) {
        text += std::to_string(minutes % 60) + "'";
    }
    if (minutes != 0 && minutes != 180 * 60) {
        text += value > 0 ? positive : negative;
    }
    return text;
}

double wrappedLongitude(double lon)
{
    lon = std::fmod(lon, 360.0);
    if (lon > 180.0) {
        lon -= 360.0;
    } else if (lon <= -180.0) {
        lon += 360.0;
    }
    return lon;
}

// Where a line in pixels first crosses x = edge (vertical) or y = edge.
bool crossing(const std::vector<std::vector<PixelPoint>>& pieces, bool vertical, double edge, double limit,
              double& where)
{
    for (const auto& piece : pieces) {
        for (std::size_t i = 1; i < piece.size(); ++i) {
            const double a = vertical ? piece[i - 1].x : piece[i - 1].y;
            const double b = vertical ? piece[i].x : piece[i].y;
            if ((a - edge) * (b - edge) > 0.0 || a == b) {
                continue;
            }
            const double t = (edge - a) / (b - a);
            const double a2 = vertical ? piece[i - 1].y : piece[i - 1].x;
            const double b2 = vertical ? piece[i].y : piece[i].x;
            where = a2 + t * (b2 - a2);
            if (where >= 0.0 && where <= limit) {
                return true;
            }
        }
    }
    return false;
}

void strokePieces(cairo_t* cr, const std::vector<std::vector<PixelPoint>>& pieces)
{
    for (const auto& piece : pieces) {
        for (std::size_t i = 0; i < piece.size(); ++i) {
            if (i == 0) {
                cairo_move_to(cr, piece[i].x, piece[i].y);
            } else {
                cairo_line_to(cr, piece[i].x, piece[i].y);
            }
        }
        // One line at a time: far faster for cairo than one path of all.
        cairo_stroke(cr);
    }
}

}  // namespace

double graticuleSpacing(double spanDegrees)
{
    for (const double spacing : {0.5, 1.0, 2.0, 5.0, 10.0, 15.0, 30.0}) {
        if (spanDegrees / spacing <= 8.0) {
            return spacing;
        }
    }
    return 30.0;
}

void paintGraticule(const MapCanvas& canvas)
{
    const Projection& projection = canvas.projection;
    const double width = projection.width();
    const double height = projection.height();
    const double span = width * projection.nmPerPixel() / 60.0;
    const double spacing = graticuleSpacing(span);
    // Samples about ten pixels apart: the lines curve smoothly, no more.
    const double step = std::clamp(10.0 * projection.nmPerPixel() / 60.0, spacing / 20.0, 2.0);

    // The latitudes and longitudes the view's region can reach.
    const GeoPoint centre{latitudeOf(projection.centre()), longitudeOf(projection.centre())};
    const double reach = canvas.region.maxDistance() / RADIANS_PER_DEGREE;
    const double latMin = std::max(-90.0, centre.lat - reach);
    const double latMax = std::min(90.0, centre.lat + reach);
    double lonMin = -180.0;
    double lonMax = 180.0;
    const double sinReach = std::sin(canvas.region.maxDistance()) / std::cos(centre.lat * RADIANS_PER_DEGREE);
    if (latMin > -90.0 && latMax < 90.0 && sinReach < 1.0) {
        const double halfWidth = std::asin(sinReach) / RADIANS_PER_DEGREE;
        lonMin = centre.lon - halfWidth;
        lonMax = centre.lon + halfWidth;
    }

    cairo_t* cr = canvas.cr;
    setColour(cr, style::GRATICULE);
    cairo_set_line_width(cr, 0.6);
    const LabelLine labelStyle{"", LABEL_SIZE, false, style::GRATICULE_TEXT, false};
    const auto addLabel = [&](const PixelPoint& topLeft, const std::string& text) {
        LabelLine line = labelStyle;
        line.text = text;
        canvas.labels.addAt(LabelPlacer::Importance::Graticule, topLeft, {line});
    };
    const double textHeight = LABEL_SIZE * 1.2;

    for (double lat = std::ceil(latMin / spacing) * spacing; lat <= latMax; lat += spacing) {
        if (std::fabs(lat) >= 90.0) {
            continue;
        }
        // The same pixel spacing along a parallel takes more longitude
        // nearer the pole.
        const double lonStep = std::min(step / std::max(std::cos(lat * RADIANS_PER_DEGREE), 0.01), 2.0);
        std::vector<GeoPoint> points;
        for (double lon = lonMin; lon < lonMax + lonStep; lon += lonStep) {
            points.push_back({lat, std::min(lon, lonMax)});
        }
        const auto pieces = canvas.region.lineInPixels(points);
        strokePieces(cr, pieces);
        double y = 0.0;
        if (crossing(pieces, true, 0.0, height, y)) {
            addLabel({3.0, y - textHeight - 1.0}, degreesText(lat, 'N', 'S'));
        } else if (crossing(pieces, true, width, height, y)) {
            addLabel({width - 40.0, y - textHeight - 1.0}, degreesText(lat, 'N', 'S'));
        }
    }
    // Meridians close in towards the poles: fewer of them there.
    const bool poleInView = latMin <= -90.0 || latMax >= 90.0;
    const double lonSpan = span / std::max(0.1, std::cos(centre.lat * RADIANS_PER_DEGREE));
    const double meridianSpacing = poleInView ? std::max(spacing, 15.0) : graticuleSpacing(lonSpan);
    const double lonEnd = lonMax - lonMin >= 360.0 ? lonMin + 360.0 - 1e-9 : lonMax;
    for (double lon = std::ceil(lonMin / meridianSpacing) * meridianSpacing; lon <= lonEnd; lon += meridianSpacing) {
        std::vector<GeoPoint> points;
        for (double lat = latMin; lat < latMax + step; lat += step) {
            points.push_back({std::min(lat, latMax), lon});
        }
        const auto pieces = canvas.region.lineInPixels(points);
        strokePieces(cr, pieces);
        double x = 0.0;
        if (crossing(pieces, false, height, width, x)) {
            addLabel({x + 3.0, height - textHeight - 2.0}, degreesText(wrappedLongitude(lon), 'E', 'W'));
        } else if (crossing(pieces, false, 0.0, width, x)) {
            addLabel({x + 3.0, 2.0}, degreesText(wrappedLongitude(lon), 'E', 'W'));
        }
    }
}

}  // namespace map
