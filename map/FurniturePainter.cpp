// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/FurniturePainter.h"

#include <cmath>
#include <vector>
#include <string>

namespace map {

namespace {

constexpr double INSET = 14.0;

std::string distanceText(double nm)
{
    // Scale lengths are round: whole numbers, or a single decimal below one.
    if (nm >= 1.0) {
        return std::to_string(std::lround(nm)) + " NM";
    }
    const long tenths = std::lround(nm * 10.0);
    return "0." + std::to_string(tenths) + " NM";
}

}  // namespace

double roundScaleLength(double maxNm)
{
    if (!(maxNm > 0.0)) {
        return 0.0;
    }
    const double power = std::pow(10.0, std::floor(std::log10(maxNm)));
    for (const double factor : {5.0, 2.0, 1.0}) {
        if (factor * power <= maxNm * (1.0 + 1e-9)) {
            return factor * power;
        }
    }
    return power;
}

void paintScaleBar(const MapCanvas& canvas)
{
    cairo_t* cr = canvas.cr;
    const Projection& projection = canvas.projection;
    const double nmPerPixel = projection.nmPerPixel();
    const double lengthNm = roundScaleLength(projection.width() / 5.0 * nmPerPixel);
    const double length = lengthNm / nmPerPixel;
    if (!(length >= 10.0)) {
        return;
    }
    const double left = INSET + 6.0;
    const double baseline = projection.height() - INSET - 8.0;
    const double barHeight = 5.0;

    const Box panel{INSET, baseline - 28.0, left + length + 14.0, baseline + barHeight + 6.0};
    cairo_rectangle(cr, panel.left, panel.top, panel.right - panel.left, panel.bottom - panel.top);
    setColour(cr, style::WHITE, 0.8);
    cairo_fill(cr);
    canvas.labels.addObstacle(panel);

    // Four alternating pieces, as on a printed chart.
    for (int i = 0; i < 4; ++i) {
        cairo_rectangle(cr, left + length * i / 4.0, baseline, length / 4.0, barHeight);
        setColour(cr, i % 2 == 0 ? style::INK : style::WHITE);
        cairo_fill(cr);
    }
    cairo_rectangle(cr, left, baseline, length, barHeight);
    setColour(cr, style::INK);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    canvas.labels.addAt(LabelPlacer::Importance::Furniture, {left, baseline - 17.0},
                        {{distanceText(lengthNm), 11.0, true, style::INK, false}});
}

Box northArrowBox(const PixelPoint& centre)
{
    // The letter N stands above the disc (where north is up).
    const double r = NORTH_ARROW_RADIUS;
    return {centre.x - r, centre.y - r - 24.0, centre.x + r, centre.y + r};
}

std::optional<PixelPoint> northArrowSpot(int width, int height, const std::function<bool(const Box&)>& taken)
{
    const double r = NORTH_ARROW_RADIUS;
    const double left = INSET + r + 3.0, right = width - INSET - r - 3.0;
    const double top = INSET + 48.0, bottom = height - INSET - r;
    std::vector<PixelPoint> spots = {{right, top}, {left, top}, {right, bottom}, {left, bottom}};
    const double step = 16.0;
    for (double x = right - step; x > left; x -= step) {
        spots.push_back({x, top});
    }
    for (double y = top + step; y < bottom; y += step) {
        spots.push_back({right, y});
        spots.push_back({left, y});
    }
    for (double y = top + step; y < bottom; y += step) {
        for (double x = right - step; x > left; x -= step) {
            spots.push_back({x, y});
        }
    }
    for (const PixelPoint& spot : spots) {
        const Box box = northArrowBox(spot);
        const bool inside = box.left >= 0.0 && box.top >= 0.0 && box.right <= width && box.bottom <= height;
        if (inside && !taken(box)) {
            return spot;
        }
    }
    return std::nullopt;
}

void paintNorthArrow(const MapCanvas& canvas)
{
    cairo_t* cr = canvas.cr;
    const Projection& projection = canvas.projection;
    const std::optional<PixelPoint> spot =
        northArrowSpot(projection.width(), projection.height(),
                       [&](const Box& box) { return canvas.labels.coversRouteOrSymbol(box); });
    if (!spot) {
        return;
    }
    const PixelPoint base = *spot;

    // Straight up where the arrow stands off the earth, or at a pole.
    double dx = 0.0;
    double dy = -1.0;
    if (const auto here = projection.toDegrees(base)) {
        const double step = std::min(1.0, 20.0 * projection.nmPerPixel() / 60.0);
        const PixelPoint toward = here->lat + step < 90.0 ? projection.toPixels(here->lat + step, here->lon)
                                                          : projection.toPixels(90.0, 0.0);
        const double length = std::hypot(toward.x - base.x, toward.y - base.y);
        if (length > 1e-6) {
            dx = (toward.x - base.x) / length;
            dy = (toward.y - base.y) / length;
        }
    }
    const double size = 2.0 * (NORTH_ARROW_RADIUS - 4.0);
    const PixelPoint tip{base.x + dx * size / 2.0, base.y + dy * size / 2.0};
    const PixelPoint tail{base.x - dx * size / 2.0, base.y - dy * size / 2.0};
    const double wing = 7.0;

    cairo_arc(cr, base.x, base.y, size / 2.0 + 4.0, 0.0, 2.0 * PI);
    setColour(cr, style::WHITE, 0.8);
    cairo_fill(cr);
    // Two halves, one filled, like a compass needle.
    cairo_move_to(cr, tip.x, tip.y);
    cairo_line_to(cr, tail.x - dy * wing, tail.y + dx * wing);
    cairo_line_to(cr, base.x, base.y);
    cairo_close_path(cr);
    setColour(cr, style::INK);
    cairo_fill(cr);
    cairo_move_to(cr, tip.x, tip.y);
    cairo_line_to(cr, tail.x + dy * wing, tail.y - dx * wing);
    cairo_line_to(cr, base.x, base.y);
    cairo_close_path(cr);
    setColour(cr, style::WHITE);
    cairo_fill_preserve(cr);
    setColour(cr, style::INK);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);

    const double radius = size / 2.0 + 4.0;
    canvas.labels.addObstacle({base.x - radius, base.y - radius, base.x + radius, base.y + radius});
    const PixelPoint letter{base.x + dx * (radius + 8.0) - 5.0, base.y + dy * (radius + 8.0) - 8.0};
    canvas.labels.addAt(LabelPlacer::Importance::Furniture, letter, {{"N", 13.0, true, style::INK, true}});
}

}  // namespace map
