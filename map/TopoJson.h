// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>
#include <vector>

namespace map {

struct LonLat {
    double lon = 0.0;
    double lat = 0.0;
};

// A polygon as TopoJSON keeps it: rings of arc indexes, the first ring the
// outer one; an index ~i stands for arc i walked backwards.
using TopoPolygon = std::vector<std::vector<int>>;

// The Polygon and MultiPolygon geometries of a TopoJSON Topology with its
// arcs decoded to degrees. Other geometry types are not kept.
struct Topology {
    std::vector<std::vector<LonLat>> arcs;
    // Per object name, its geometries in file order, each a list of polygons.
    std::map<std::string, std::vector<std::vector<TopoPolygon>>> objects;
};

// Reads and decodes the file at path. Throws MapError naming the file when it
// cannot be read, is not JSON or not a Topology, or refers to arcs it lacks.
Topology readTopology(const std::string& path);

// The points of a ring in order, each point shared by two arcs once.
std::vector<LonLat> ringPoints(const Topology& topology, const std::vector<int>& ring);

}  // namespace map
