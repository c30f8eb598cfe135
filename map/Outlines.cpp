// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/Outlines.h"

#include "base/DataFiles.h"
#include "map/MapError.h"
#include "map/TopoJson.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace map {

namespace {

// Long edges are split so that every edge projects as a short straight piece,
// following the parallel where the data runs along one (many borders do).
// Coarse outlines only serve views over 40° wide, where 2° is a few pixels.
constexpr double FINE_EDGE_DEGREES = 0.5;
constexpr double COARSE_EDGE_DEGREES = 2.0;
// Points of the borders kept for wide views: a few pixels apart there.
constexpr double COARSE_BORDER_STEP_DEGREES = 0.1;

bool onCut(const LonLat& a, const LonLat& b)
{
    // The outlines are cut along the antimeridian in places; such an edge is
    // no coast and no border.
    return std::fabs(a.lon) == 180.0 && std::fabs(b.lon) == 180.0 && a.lat != b.lat;
}

void appendDensified(const std::vector<LonLat>& in, double longestEdge, std::vector<Vec3>& out)
{
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (i > 0) {
            const LonLat& a = in[i - 1];
            double dLon = in[i].lon - a.lon;
            if (dLon > 180.0) {
                dLon -= 360.0;  // an edge across the antimeridian
            } else if (dLon < -180.0) {
                dLon += 360.0;
            }
            const double dLat = in[i].lat - a.lat;
            const int steps = static_cast<int>(std::ceil(std::max(std::fabs(dLon), std::fabs(dLat)) / longestEdge));
            for (int k = 1; k < steps; ++k) {
                const double t = static_cast<double>(k) / steps;
                out.push_back(toVector(a.lat + t * dLat, a.lon + t * dLon));
            }
        }
        out.push_back(toVector(in[i].lat, in[i].lon));
    }
}

SphereCap capOf(const std::vector<Vec3>& points, std::size_t begin, std::size_t end)
{
    Vec3 sum;
    for (std::size_t i = begin; i < end; ++i) {
        sum = {sum.x + points[i].x, sum.y + points[i].y, sum.z + points[i].z};
    }
    if (dot(sum, sum) < 1e-12) {
        return {};  // all round the earth: never skipped
    }
    SphereCap cap{normalised(sum), 0.0};
    for (std::size_t i = begin; i < end; ++i) {
        cap.radius = std::max(cap.radius, angleBetween(cap.centre, points[i]));
    }
    cap.radius += 1e-3;
    return cap;
}

void addLine(const std::vector<LonLat>& points, double longestEdge, OutlineLines& lines)
{
    const auto begin = static_cast<std::uint32_t>(lines.points.size());
    appendDensified(points, longestEdge, lines.points);
    const auto end = static_cast<std::uint32_t>(lines.points.size());
    if (end - begin >= 2) {
        lines.lines.push_back({begin, end, capOf(lines.points, begin, end)});
    } else {
        lines.points.resize(begin);
    }
}

// Adds an arc as one or more lines, leaving out edges along the cut.
void addArcAsLines(const std::vector<LonLat>& arc, double longestEdge, OutlineLines& lines)
{
    std::vector<LonLat> run;
    for (std::size_t i = 0; i < arc.size(); ++i) {
        if (i > 0 && onCut(arc[i - 1], arc[i])) {
            addLine(run, longestEdge, lines);
            run.clear();
        }
        run.push_back(arc[i]);
    }
    addLine(run, longestEdge, lines);
}

// The arc with points closer than step degrees to the last one kept left
// out; both ends stay, so that the thinned arcs still meet.
std::vector<LonLat> thinned(const std::vector<LonLat>& arc, double step)
{
    std::vector<LonLat> kept{arc.front()};
    for (std::size_t i = 1; i + 1 < arc.size(); ++i) {
        const LonLat& last = kept.back();
        if (std::fabs(arc[i].lon - last.lon) >= step || std::fabs(arc[i].lat - last.lat) >= step) {
            kept.push_back(arc[i]);
        }
    }
    kept.push_back(arc.back());
    return kept;
}

const std::vector<std::vector<TopoPolygon>>& objectNamed(const Topology& topology, const std::string& name,
                                                         const std::string& path)
{
    const auto found = topology.objects.find(name);
    if (found == topology.objects.end() || found->second.empty()) {
        throw MapError("outlines file " + path + " is damaged: it has no \"" + name + "\" polygons");
    }
    return found->second;
}

// Reads the land polygons and their coast into detail.
void loadLand(const std::string& path, double longestEdge, OutlineDetail& detail)
{
    const Topology topology = readTopology(path);
    OutlineAreas& areas = detail.land;
    // Room for every point and a few split edges, rather than regrowing.
    std::size_t pointCount = 0;
    for (const auto& arc : topology.arcs) {
        pointCount += arc.size();
    }
    areas.points.reserve(pointCount + pointCount / 4);
    detail.coast.points.reserve(pointCount + pointCount / 4);
    std::set<std::size_t> arcsUsed;
    for (const auto& geometry : objectNamed(topology, "land", path)) {
        for (const TopoPolygon& polygon : geometry) {
            OutlineAreas::Polygon entry;
            entry.firstRing = static_cast<std::uint32_t>(areas.rings.size());
            const auto firstPoint = areas.points.size();
            for (const auto& ring : polygon) {
                const auto begin = static_cast<std::uint32_t>(areas.points.size());
                appendDensified(ringPoints(topology, ring), longestEdge, areas.points);
                areas.rings.push_back({begin, static_cast<std::uint32_t>(areas.points.size())});
                for (const int index : ring) {
                    arcsUsed.insert(static_cast<std::size_t>(index < 0 ? ~index : index));
                }
            }
            entry.ringCount = static_cast<std::uint32_t>(areas.rings.size()) - entry.firstRing;
            entry.cap = capOf(areas.points, firstPoint, areas.points.size());
            areas.polygons.push_back(entry);
        }
    }
    for (const std::size_t arc : arcsUsed) {
        addArcAsLines(topology.arcs[arc], longestEdge, detail.coast);
    }
}

// Borders are the arcs two countries share (the coast is drawn from the
// land), in full for the fine outlines and thinned for the coarse ones.
void loadBorders(const std::string& path, OutlineDetail& coarse, OutlineDetail& fine)
{
    const Topology topology = readTopology(path);
    std::vector<int> firstOwner(topology.arcs.size(), -1);
    std::vector<bool> shared(topology.arcs.size(), false);
    const auto& countries = objectNamed(topology, "countries", path);
    for (std::size_t country = 0; country < countries.size(); ++country) {
        for (const TopoPolygon& polygon : countries[country]) {
            for (const auto& ring : polygon) {
                for (const int index : ring) {
                    const auto arc = static_cast<std::size_t>(index < 0 ? ~index : index);
                    if (firstOwner[arc] < 0) {
                        firstOwner[arc] = static_cast<int>(country);
                    } else if (firstOwner[arc] != static_cast<int>(country)) {
                        shared[arc] = true;
                    }
                }
            }
        }
    }
    for (std::size_t arc = 0; arc < topology.arcs.size(); ++arc) {
        if (shared[arc]) {
            const auto& points = topology.arcs[arc];
            addArcAsLines(points, FINE_EDGE_DEGREES, fine.borders);
            addArcAsLines(thinned(points, COARSE_BORDER_STEP_DEGREES), COARSE_EDGE_DEGREES, coarse.borders);
        }
    }
}

std::string pathIn(const std::string& directory, const std::string& name)
{
    if (directory.empty()) {
        return name;
    }
    return directory.back() == '/' ? directory + name : directory + "/" + name;
}

}  // namespace

Outlines loadOutlines(const std::string& directory)
{
    Outlines outlines;
    loadLand(pathIn(directory, "land-110m.json"), COARSE_EDGE_DEGREES, outlines.coarse);
    loadLand(pathIn(directory, "land-50m.json"), FINE_EDGE_DEGREES, outlines.fine);
    loadBorders(pathIn(directory, "countries-50m.json"), outlines.coarse, outlines.fine);
    return outlines;
}

std::string outlinesDirectory()
{
    const std::string land = base::findDataFile("naturalearth/land-110m.json");
    return land.substr(0, land.rfind('/'));
}

}  // namespace map
