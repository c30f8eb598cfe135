// SPDX-License-Identifier: GPL-3.0-or-later
// What a pilot reads off the map must not mislead: the airports named, a
// frequency beside its own beacon, the stretch no beacon reaches in sight,
// and the north arrow clear of the route.
#include "tests/map/MapTestSupport.h"
#include "tests/map/SampleScenes.h"
#include "tests/map/SvgLabels.h"

#include "map/FurniturePainter.h"
#include "map/MapFile.h"
#include "map/Projection.h"
#include "map/ViewFit.h"

#include <GeographicLib/Geodesic.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <string>

using maptest::SvgLabel;
using map::MapPoint;
using map::MapScene;
using map::PixelPoint;

namespace {

MapPoint vor(const std::string& ident, const std::string& frequency, double lat, double lon, double rangeNm = 40.0)
{
    return {ident, ident, frequency, lat, lon, MapPoint::Kind::Vor, rangeNm};
}

MapPoint airport(const std::string& ident, const std::string& name, double lat, double lon)
{
    return {ident, name, "", lat, lon, MapPoint::Kind::Airport, std::nullopt};
}

double legNm(const MapPoint& a, const MapPoint& b)
{
    double metres = 0.0;
    GeographicLib::Geodesic::WGS84().Inverse(a.lat, a.lon, b.lat, b.lon, metres);
    return metres / 1852.0;
}

// Up the west coast, two beacons of the north close together and gaps
// between the beacons' reach.
MapScene westCoast()
{
    MapScene scene;
    scene.route = {airport("KSFO", "San Francisco International", 37.6189, -122.375),
                   vor("SFO", "115.80", 37.6193, -122.3742), vor("RBL", "115.70", 40.0990, -122.2366, 25.0),
                   vor("RDD", "108.40", 40.5038, -122.2919, 25.0), vor("EUG", "112.90", 44.1208, -123.2227),
                   vor("BTG", "116.60", 45.7476, -122.5925), vor("SEA", "116.80", 47.4354, -122.3097),
                   airport("KSEA", "Seattle Tacoma International", 47.449, -122.309)};
    // Each leg's stretch beyond both beacons' reach, as a plan's scene carries it.
    for (std::size_t i = 1; i < scene.route.size(); ++i) {
        const MapPoint& a = scene.route[i - 1];
        const MapPoint& b = scene.route[i];
        const double from = a.rangeNm.value_or(0.0), to = legNm(a, b) - b.rangeNm.value_or(0.0);
        if (to > from)
            scene.uncovered.push_back({i - 1, from, to});
    }
    return scene;
}

// Coast to coast with a beacon on each airfield, where the airports' idents
// were lost at the overview.
MapScene coastToCoastFromTheField()
{
    MapScene scene = maptest::newYorkToLosAngeles();
    scene.route.insert(scene.route.begin() + 1, vor("JFK", "115.90", 40.6329, -73.7714));
    scene.route.insert(scene.route.end() - 1, vor("LAX", "113.60", 33.9331, -118.4319));
    return scene;
}

// From the south-west to the north-east corner of the picture, where the
// north arrow stood.
MapScene atlantaToBoston()
{
    MapScene scene;
    scene.route = {airport("KATL", "Hartsfield Jackson Atlanta", 33.6367, -84.4281),
                   vor("GQO", "114.55", 34.9613, -85.1534), vor("SPA", "115.70", 35.0339, -81.9271),
                   vor("GSO", "116.20", 36.0455, -79.9761), vor("RIC", "114.10", 37.5025, -77.3201),
                   vor("JFK", "115.90", 40.6329, -73.7714), vor("BOS", "112.70", 42.3574, -70.9895),
                   airport("KBOS", "General Edward Lawrence Logan", 42.3643, -71.0052)};
    return scene;
}

struct Case {
    const char* name;
    MapScene (*scene)();
};
const Case CASES[] = {{"west coast", westCoast},
                      {"coast to coast from the field", coastToCoastFromTheField},
                      {"Atlanta to Boston", atlantaToBoston},
                      {"London to Paris", maptest::londonToParis},
                      {"Nadi to Faleolo", maptest::fijiToSamoa}};
// The window's map, the kneeboard's map pages (A5 and half letter) and small.
const int SIZES[][2] = {{1200, 900}, {760, 520}, {379, 501}, {356, 517}, {300, 225}};

// Points along the great circle from a to b between fromNm and toNm.
std::vector<PixelPoint> stretch(const map::Projection& projection, const MapPoint& a, const MapPoint& b,
                                double fromNm, double toNm, double stepNm)
{
    const GeographicLib::Geodesic& earth = GeographicLib::Geodesic::WGS84();
    double metres = 0.0, azimuth = 0.0, back = 0.0;
    earth.Inverse(a.lat, a.lon, b.lat, b.lon, metres, azimuth, back);
    std::vector<PixelPoint> points;
    for (double nm = fromNm; nm <= toNm; nm += stepNm) {
        double lat = 0.0, lon = 0.0;
        earth.Direct(a.lat, a.lon, azimuth, nm * 1852.0, lat, lon);
        points.push_back(projection.toPixels(lat, lon));
    }
    return points;
}


double distanceToBox(const SvgLabel& label, double x, double y)
{
    const double dx = std::max({label.left - x, x - label.right, 0.0});
    const double dy = std::max({label.top - y, y - label.bottom, 0.0});
    return std::hypot(dx, dy);
}

double boxDistance(const SvgLabel& a, const SvgLabel& b)
{
    const double dx = std::max({a.left - b.right, b.left - a.right, 0.0});
    const double dy = std::max({a.top - b.bottom, b.top - a.bottom, 0.0});
    return std::hypot(dx, dy);
}

template <typename Check>
void forEveryMap(Check check)
{
    for (const Case& c : CASES) {
        const MapScene scene = c.scene();
        for (const auto& [width, height] : SIZES) {
            SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(width) + "x" + std::to_string(height));
            const map::MapView view = map::fitView(scene, width, height);
            const map::Projection projection(view, width, height);
            const auto labels =
                maptest::svgLabels(map::renderSvg(maptest::testOutlines(), scene, view, width, height));
            check(scene, projection, labels);
        }
    }
}

}  // namespace

TEST(MapLabelRules, TheDepartureAndDestinationAreAlwaysNamed)
{
    forEveryMap([](const MapScene& scene, const map::Projection&, const std::vector<SvgLabel>& labels) {
        for (const MapPoint* end : {&scene.route.front(), &scene.route.back()}) {
            const auto named = std::count_if(labels.begin(), labels.end(),
                                             [&](const SvgLabel& label) { return label.text == end->ident; });
            EXPECT_EQ(named, 1) << end->ident;
        }
        for (const auto& [a, b] : maptest::overlappingLabels(labels))
            ADD_FAILURE() << '"' << a.text << "\" overlaps \"" << b.text << '"';
    });
}

TEST(MapLabelRules, TheAirportsAreNamedAtTheWorldsOverviewToo)
{
    // The window's first view: the whole earth, the two airports chosen
    // and nothing between them yet, or the route drawn across it.
    for (const Case& c : CASES) {
        MapScene withRoute = c.scene();
        MapScene airportsOnly;
        airportsOnly.route = {withRoute.route.front(), withRoute.route.back()};
        for (const MapScene* scene : {&withRoute, &airportsOnly}) {
            for (const auto& [width, height] : SIZES) {
                SCOPED_TRACE(std::string(c.name) + (scene == &airportsOnly ? ", airports only" : "") + " at " +
                             std::to_string(width) + "x" + std::to_string(height));
                const map::MapView view = map::worldView(width, height);
                const map::Projection projection(view, width, height);
                const auto labels =
                    maptest::svgLabels(map::renderSvg(maptest::testOutlines(), *scene, view, width, height));
                for (const MapPoint* end : {&scene->route.front(), &scene->route.back()}) {
                    const PixelPoint p = projection.toPixels(end->lat, end->lon);
                    if (p.x < 0 || p.y < 0 || p.x > width || p.y > height)
                        continue;  // on the far side of the earth
                    const auto named = std::count_if(labels.begin(), labels.end(),
                                                     [&](const SvgLabel& label) { return label.text == end->ident; });
                    EXPECT_EQ(named, 1) << end->ident;
                }
            }
        }
    }
}

TEST(MapLabelRules, AFrequencyStandsNearerToItsOwnIdentThanToAnyOther)
{
    forEveryMap([](const MapScene& scene, const map::Projection&, const std::vector<SvgLabel>& labels) {
        std::map<std::string, std::string> owners;  // frequency to ident
        for (const MapPoint& p : scene.route)
            if (p.kind == MapPoint::Kind::Vor)
                owners[p.frequency] = p.ident;
        std::vector<const SvgLabel*> idents;
        for (const SvgLabel& label : labels)
            for (const MapPoint& p : scene.route)
                if (label.text == p.ident)
                    idents.push_back(&label);
        for (const SvgLabel& label : labels) {
            const auto owner = owners.find(label.text);
            if (owner == owners.end())
                continue;
            const SvgLabel* nearest = nullptr;
            double least = std::numeric_limits<double>::infinity();
            for (const SvgLabel* ident : idents) {
                if (boxDistance(label, *ident) < least) {
                    least = boxDistance(label, *ident);
                    nearest = ident;
                }
            }
            ASSERT_NE(nearest, nullptr) << label.text << " stands without any ident";
            EXPECT_EQ(nearest->text, owner->second) << label.text << " reads as " << nearest->text << "'s";
            // Over or under it: never on the same line as an ident.
            EXPECT_FALSE(std::abs(nearest->y - label.y) < 1.0) << label.text;
        }
    });
}

TEST(MapLabelRules, NoLabelCoversTheStretchNoBeaconReaches)
{
    forEveryMap([](const MapScene& scene, const map::Projection& projection, const std::vector<SvgLabel>& labels) {
        if (scene.uncovered.empty())
            return;
        int stretches = 0;
        for (std::size_t i = 1; i < scene.route.size(); ++i) {
            const MapPoint& a = scene.route[i - 1];
            const MapPoint& b = scene.route[i];
            const double length = legNm(a, b);
            const double from = a.rangeNm.value_or(0.0), to = length - b.rangeNm.value_or(0.0);
            if (to <= from)
                continue;
            ++stretches;
            for (const PixelPoint& p : stretch(projection, a, b, from, to, 0.25 * projection.nmPerPixel())) {
                for (const SvgLabel& label : labels) {
                    // Half the red line's width round its middle.
                    EXPECT_GT(distanceToBox(label, p.x, p.y), 1.7)
                        << '"' << label.text << "\" over the gap from " << a.ident << " to " << b.ident;
                }
            }
        }
        EXPECT_GE(stretches, 3);
    });
}

TEST(MapLabelRules, TheNorthArrowStandsClearOfTheRouteAndTheAirports)
{
    int movedFromTheCorner = 0;
    forEveryMap([&](const MapScene& scene, const map::Projection& projection, const std::vector<SvgLabel>& labels) {
        const auto letter = std::find_if(labels.begin(), labels.end(),
                                         [](const SvgLabel& label) { return label.text == "N" && label.bold; });
        if (letter == labels.end())
            return;  // no room for it anywhere: then none
        // The disc's centre, from its letter and north there, as the arrow
        // stands 27 px from it.
        const double radius = map::NORTH_ARROW_RADIUS;
        const double letterTop = letter->y - 13.0 * 1.02;  // where the placer put its box
        PixelPoint centre{letter->x + 5.0, letterTop + 8.0 + radius + 8.0};
        for (int i = 0; i < 3; ++i) {
            const auto here = projection.toDegrees(centre);
            if (!here)
                break;
            const PixelPoint up = projection.toPixels(std::min(90.0, here->lat + 0.2), here->lon);
            const double length = std::hypot(up.x - centre.x, up.y - centre.y);
            centre = {letter->x + 5.0 - (up.x - centre.x) / length * (radius + 8.0),
                      letterTop + 8.0 - (up.y - centre.y) / length * (radius + 8.0)};
        }
        if (centre.x < projection.width() - 60.0 || centre.y > 80.0)
            ++movedFromTheCorner;
        for (std::size_t i = 1; i < scene.route.size(); ++i) {
            const MapPoint& a = scene.route[i - 1];
            const MapPoint& b = scene.route[i];
            for (const PixelPoint& p : stretch(projection, a, b, 0.0, legNm(a, b), 0.5 * projection.nmPerPixel())) {
                ASSERT_GT(std::hypot(p.x - centre.x, p.y - centre.y), radius + 1.0)
                    << "the arrow at " << centre.x << "," << centre.y << " is over the leg " << a.ident << "-" << b.ident;
            }
        }
    });
    // The scenes do put the route where the arrow stood.
    EXPECT_GT(movedFromTheCorner, 0);
}

TEST(MapLabelRules, TheNorthArrowTakesTheFirstFreeSpotTopRightFirst)
{
    const double r = map::NORTH_ARROW_RADIUS;
    // Nothing in the way: the top right corner.
    const auto free = map::northArrowSpot(400, 300, [](const map::Box&) { return false; });
    ASSERT_TRUE(free);
    EXPECT_GT(free->x, 400 - 60);
    EXPECT_LT(free->y, 80);
    // The right half taken: the top left corner.
    const auto left = map::northArrowSpot(400, 300, [](const map::Box& b) { return b.right > 200; });
    ASSERT_TRUE(left);
    EXPECT_LT(left->x, 60);
    EXPECT_LT(left->y, 80);
    // Only a spot in the middle free: found there, its box inside it.
    const map::Box hole{150, 100, 260, 220};
    const auto middle = map::northArrowSpot(400, 300, [&](const map::Box& b) {
        return b.left < hole.left || b.top < hole.top || b.right > hole.right || b.bottom > hole.bottom;
    });
    ASSERT_TRUE(middle);
    EXPECT_GE(middle->x - r, hole.left);
    EXPECT_LE(middle->y + r, hole.bottom);
    // Nowhere free, or a picture too small: no arrow.
    EXPECT_FALSE(map::northArrowSpot(400, 300, [](const map::Box&) { return true; }));
    EXPECT_FALSE(map::northArrowSpot(30, 30, [](const map::Box&) { return false; }));
}
