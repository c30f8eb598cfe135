// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/RoseArt.h"

#include "base/Units.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace widgets {

namespace {


constexpr Rgba NAVY{0x1b, 0x2f, 0x4e, 0xff};
constexpr Rgba DIAL{0x24, 0x43, 0x6b, 0xff};
constexpr Rgba IVORY{0xf4, 0xf1, 0xe4, 0xff};
constexpr Rgba PALE{0xc9, 0xd6, 0xe3, 0xff};
constexpr Rgba STEEL{0x7d, 0x97, 0xb3, 0xff};
constexpr Rgba SIGNAL{0xe0, 0x4f, 0x2f, 0xff};
constexpr Rgba SIGNAL_DARK{0xa8, 0x33, 0x1d, 0xff};
constexpr Rgba SKY_TOP{0xd8, 0xe6, 0xf2, 0xff};
constexpr Rgba SKY_BOTTOM{0xf7, 0xf5, 0xee, 0xff};
constexpr Rgba ROUTE{0x2f, 0x6e, 0x4f, 0xff};

Shape Ring(Point c, double inner, double outer, Rgba color)
{
    Shape s{Shape::Ring, color, {}, c, inner, outer, 0};
    return s;
}

Shape Polygon(std::vector<Point> points, Rgba color)
{
    Shape s{Shape::Polygon, color, std::move(points), {}, 0, 0, 0};
    return s;
}

Shape Segment(Point a, Point b, double width, Rgba color)
{
    Shape s{Shape::Segment, color, {a, b}, {}, 0, 0, width};
    return s;
}

// A point at a bearing (degrees clockwise from north) and distance from c.
Point At(Point c, double bearing, double distance)
{
    double a = bearing * base::PI / 180.0;
    return {c.x + distance * std::sin(a), c.y - distance * std::cos(a)};
}

// The VOR symbol: a hexagon with a centre dot.
void AddVorSymbol(std::vector<Shape>& shapes, Point c, double r, Rgba frame, Rgba fill)
{
    std::vector<Point> outer, inner;
    for (int i = 0; i < 6; ++i) {
        outer.push_back(At(c, 30.0 + 60.0 * i, r));
        inner.push_back(At(c, 30.0 + 60.0 * i, r * 0.68));
    }
    shapes.push_back(Polygon(outer, frame));
    shapes.push_back(Polygon(inner, fill));
    shapes.push_back(Ring(c, 0, r * 0.22, frame));
}

// The compass rose, centred at c with radius r.
void AddRose(std::vector<Shape>& shapes, Point c, double r, int detail)
{
    shapes.push_back(Ring(c, 0, r, NAVY));
    shapes.push_back(Ring(c, 0, r * 0.90, DIAL));
    shapes.push_back(Ring(c, r * 0.86, r * 0.90, PALE));

    // Dial ticks: every 30 degrees on the smallest icon, every 10 (longer
    // at each 30) from 32 pixels up, every 5 on the large pictures.
    int step = detail >= 2 ? 5 : detail == 1 ? 10 : 30;
    for (int bearing = 0; bearing < 360; bearing += step) {
        double length = bearing % 30 == 0 ? 0.16 : bearing % 10 == 0 ? 0.10 : 0.06;
        double width = bearing % 30 == 0 ? 0.045 : 0.025;
        if (detail == 0)
            length = 0.12, width = 0.09;
        shapes.push_back(Segment(At(c, bearing, r * (0.86 - length)), At(c, bearing, r * 0.86), r * width, PALE));
    }

    // The star: four long cardinal points and four short ones between,
    // each point in a light and a shaded half.
    auto point = [&](double bearing, double length, double waist, Rgba light, Rgba shade) {
        Point tip = At(c, bearing, r * length);
        shapes.push_back(Polygon({c, At(c, bearing - 45.0, r * waist), tip}, shade));
        shapes.push_back(Polygon({c, tip, At(c, bearing + 45.0, r * waist)}, light));
    };
    for (int bearing = 45; bearing < 360; bearing += 90)
        point(bearing, 0.50, 0.12, PALE, STEEL);
    for (int bearing = 90; bearing < 360; bearing += 90)
        point(bearing, 0.74, 0.17, IVORY, STEEL);
    point(0, 0.80, 0.17, SIGNAL, SIGNAL_DARK);

    if (detail >= 1)
        AddVorSymbol(shapes, c, r * 0.15, NAVY, IVORY);
    else
        shapes.push_back(Ring(c, 0, r * 0.12, NAVY));
}

double Distance(Point p, Point a, Point b)
{
    double dx = b.x - a.x, dy = b.y - a.y;
    double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0) : 0.0;
    double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
    return std::sqrt(ex * ex + ey * ey);
}

bool Inside(const Shape& s, Point p)
{
    switch (s.kind) {
    case Shape::Ring: {
        double dx = p.x - s.center.x, dy = p.y - s.center.y;
        double d2 = dx * dx + dy * dy;
        return d2 <= s.outer * s.outer && d2 >= s.inner * s.inner;
    }
    case Shape::Segment:
        return Distance(p, s.points[0], s.points[1]) <= s.width / 2;
    case Shape::Polygon: {
        bool in = false;
        const auto& v = s.points;
        for (std::size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
            if ((v[i].y > p.y) != (v[j].y > p.y) &&
                p.x < (v[j].x - v[i].x) * (p.y - v[i].y) / (v[j].y - v[i].y) + v[i].x)
                in = !in;
        }
        return in;
    }
    }
    return false;
}

std::string Hex(Rgba c)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
    return text;
}

std::string Num(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", v);
    return text;
}

}  // namespace

Scene IconScene(int size)
{
    Scene scene{100, 100, {}};
    int detail = size < 32 ? 0 : size < 96 ? 1 : 2;
    AddRose(scene.shapes, {50, 50}, 49, detail);
    return scene;
}

Scene AboutScene()
{
    const double w = ABOUT_WIDTH, h = ABOUT_HEIGHT;
    Scene scene{w, h, {}};
    // A sky that pales toward the ground, in bands.
    const int bands = 24;
    for (int i = 0; i < bands; ++i) {
        double t = i / double(bands - 1);
        Rgba c{static_cast<std::uint8_t>(SKY_TOP.r + (SKY_BOTTOM.r - SKY_TOP.r) * t),
               static_cast<std::uint8_t>(SKY_TOP.g + (SKY_BOTTOM.g - SKY_TOP.g) * t),
               static_cast<std::uint8_t>(SKY_TOP.b + (SKY_BOTTOM.b - SKY_TOP.b) * t), 0xff};
        double y0 = h * i / bands, y1 = h * (i + 1) / bands + 0.5;
        scene.shapes.push_back(Polygon({{0, y0}, {w, y0}, {w, y1}, {0, y1}}, c));
    }
    AddRose(scene.shapes, {w / 2, 43}, 40, 2);

    // A planned route below the rose: airport to airport over three beacons.
    const std::vector<Point> legs = {{9, 106}, {27, 93}, {47, 101}, {66, 88}, {84, 96}};
    for (std::size_t i = 0; i + 1 < legs.size(); ++i)
        scene.shapes.push_back(Segment(legs[i], legs[i + 1], 1.6, ROUTE));
    for (Point end : {legs.front(), legs.back()}) {
        scene.shapes.push_back(Ring(end, 0, 4.2, NAVY));
        scene.shapes.push_back(Ring(end, 0, 2.2, SIGNAL));
    }
    for (std::size_t i = 1; i + 1 < legs.size(); ++i)
        AddVorSymbol(scene.shapes, legs[i], 4.6, NAVY, IVORY);
    return scene;
}

std::vector<std::uint8_t> Render(const Scene& scene, int width, int height)
{
    const int samples = 4;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4, 0);
    const double sx = scene.width / width, sy = scene.height / height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int j = 0; j < samples; ++j) {
                for (int i = 0; i < samples; ++i) {
                    Point p{(x + (i + 0.5) / samples) * sx, (y + (j + 0.5) / samples) * sy};
                    // The topmost shape that covers the sample gives its colour.
                    for (auto s = scene.shapes.rbegin(); s != scene.shapes.rend(); ++s) {
                        if (Inside(*s, p)) {
                            double alpha = s->color.a / 255.0;
                            r += s->color.r * alpha;
                            g += s->color.g * alpha;
                            b += s->color.b * alpha;
                            a += alpha;
                            break;
                        }
                    }
                }
            }
            std::uint8_t* out = &pixels[(static_cast<std::size_t>(y) * width + x) * 4];
            if (a > 0) {
                out[0] = static_cast<std::uint8_t>(std::lround(r / a));
                out[1] = static_cast<std::uint8_t>(std::lround(g / a));
                out[2] = static_cast<std::uint8_t>(std::lround(b / a));
                out[3] = static_cast<std::uint8_t>(std::lround(255.0 * a / (samples * samples)));
            }
        }
    }
    return pixels;
}

std::string ToSvg(const Scene& scene)
{
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Num(scene.width) + "\" height=\"" +
                      Num(scene.height) + "\" viewBox=\"0 0 " + Num(scene.width) + " " + Num(scene.height) + "\">\n";
    for (const Shape& s : scene.shapes) {
        switch (s.kind) {
        case Shape::Ring:
            if (s.inner <= 0) {
                svg += "  <circle cx=\"" + Num(s.center.x) + "\" cy=\"" + Num(s.center.y) + "\" r=\"" +
                       Num(s.outer) + "\" fill=\"" + Hex(s.color) + "\"/>\n";
            } else {
                double mid = (s.inner + s.outer) / 2;
                svg += "  <circle cx=\"" + Num(s.center.x) + "\" cy=\"" + Num(s.center.y) + "\" r=\"" + Num(mid) +
                       "\" fill=\"none\" stroke=\"" + Hex(s.color) + "\" stroke-width=\"" +
                       Num(s.outer - s.inner) + "\"/>\n";
            }
            break;
        case Shape::Segment:
            svg += "  <line x1=\"" + Num(s.points[0].x) + "\" y1=\"" + Num(s.points[0].y) + "\" x2=\"" +
                   Num(s.points[1].x) + "\" y2=\"" + Num(s.points[1].y) + "\" stroke=\"" + Hex(s.color) +
                   "\" stroke-width=\"" + Num(s.width) + "\" stroke-linecap=\"round\"/>\n";
            break;
        case Shape::Polygon: {
            svg += "  <polygon points=\"";
            for (std::size_t i = 0; i < s.points.size(); ++i)
                svg += (i ? " " : "") + Num(s.points[i].x) + "," + Num(s.points[i].y);
            svg += "\" fill=\"" + Hex(s.color) + "\"/>\n";
            break;
        }
        }
    }
    return svg + "</svg>\n";
}

}  // namespace widgets
