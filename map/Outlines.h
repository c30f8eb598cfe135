// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/SphereVector.h"

#include <cstdint>
#include <string>
#include <vector>

namespace map {

// A circle on the sphere that holds a shape, to skip shapes far from the view.
struct SphereCap {
    Vec3 centre;
    double radius = PI;  // radians
};

// Filled areas: each polygon is one or more closed rings of points (an outer
// ring and its holes); the region a ring encloses is its smaller side.
struct OutlineAreas {
    struct Ring {
        std::uint32_t begin = 0;  // into points
        std::uint32_t end = 0;
    };
    struct Polygon {
        std::uint32_t firstRing = 0;
        std::uint32_t ringCount = 0;
        SphereCap cap;
    };
    std::vector<Vec3> points;
    std::vector<Ring> rings;
    std::vector<Polygon> polygons;
};

// Stroked lines: coastlines or borders, each an open run of points.
struct OutlineLines {
    struct Line {
        std::uint32_t begin = 0;
        std::uint32_t end = 0;
        SphereCap cap;
    };
    std::vector<Vec3> points;
    std::vector<Line> lines;
};

// Land, its coast and the borders between countries at one level of detail.
struct OutlineDetail {
    OutlineAreas land;
    OutlineLines coast;
    OutlineLines borders;
};

// The outlines at two levels of detail, ready to project. Load once and
// keep: the renderer only reads them.
struct Outlines {
    OutlineDetail coarse;  // 1:110 million land, thinned borders: wide views
    OutlineDetail fine;    // 1:50 million: regional views
};

// Reads land-110m.json, land-50m.json and countries-50m.json from directory.
// Throws MapError naming the file that is missing or damaged.
Outlines loadOutlines(const std::string& directory);

// The directory holding the outline files, as the program's data files are
// found (base::findDataFile); throws when they are not installed.
std::string outlinesDirectory();

}  // namespace map
