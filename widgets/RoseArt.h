// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The program's own artwork: a VOR compass rose for the application icon
// (resource 128) and the About picture (resource 133). The pictures are
// described as a few geometric shapes, so the same description gives every
// icon size, the scalable icon for the desktop and the pixels the program
// shows. Edit the scenes in RoseArt.cpp to change the artwork.

namespace widgets {

struct Rgba {
    std::uint8_t r, g, b, a;
};

struct Point {
    double x, y;
};

struct Shape {
    enum Kind { Polygon, Ring, Segment } kind;
    Rgba color;
    std::vector<Point> points;  // Polygon: the corners; Segment: the two ends
    Point center{};             // Ring
    double inner = 0, outer = 0;  // Ring radii (inner 0 gives a disc)
    double width = 0;           // Segment: stroke width, round ends
};

// Shapes painted in order, the later over the earlier, on a transparent
// canvas of width x height units.
struct Scene {
    double width, height;
    std::vector<Shape> shapes;
};

// The icon at a size in pixels; small sizes leave out the finer ticks.
Scene IconScene(int size);

// The About picture, 93 by 118.
Scene AboutScene();

inline constexpr int ABOUT_WIDTH = 93;
inline constexpr int ABOUT_HEIGHT = 118;

// Pixels of a scene scaled to width x height, RGBA row by row, edges
// smoothed by sampling each pixel several times.
std::vector<std::uint8_t> Render(const Scene& scene, int width, int height);

// The scene as an SVG document.
std::string ToSvg(const Scene& scene);

}  // namespace widgets
