// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/map/MapTestSupport.h"
#include "tests/map/SampleScenes.h"
#include "tests/map/SvgLabels.h"

#include "map/MapFile.h"
#include "map/Projection.h"
#include "map/ViewFit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using maptest::SvgLabel;
using map::MapPoint;
using map::MapScene;

namespace {

MapPoint vor(const std::string& ident, const std::string& frequency, double lat, double lon)
{
    return {ident, ident, frequency, lat, lon, MapPoint::Kind::Vor, std::nullopt};
}

MapPoint airport(const std::string& ident, const std::string& name, double lat, double lon)
{
    return {ident, name, "", lat, lon, MapPoint::Kind::Airport, std::nullopt};
}

// Thirty beacons strung across a continent in a shallow zigzag, the densest
// route the map must still name in full, over a field of other beacons.
MapScene thirtyBeacons()
{
    MapScene scene;
    scene.route.push_back(airport("KJFK", "John F Kennedy International Airport", 40.64, -73.78));
    for (int i = 1; i <= 30; ++i) {
        const double t = i / 31.0;
        const double zig = (i % 2 == 0 ? 0.25 : -0.25);
        scene.route.push_back(vor("B" + std::to_string(i), "11" + std::to_string(i % 10) + ".30",
                                  40.64 - 6.7 * t + zig, -73.78 - 44.63 * t));
    }
    scene.route.push_back(airport("KLAX", "Los Angeles International Airport", 33.94, -118.41));
    for (int i = 0; i < 40; ++i) {
        for (int j = 0; j < 14; ++j) {
            scene.otherBeacons.push_back(vor("O" + std::to_string(i * 14 + j), "110.00", 31.0 + j * 0.9, -120.0 + i * 1.2));
        }
    }
    return scene;
}

// A beacon on the airfield's edge and another close by, with long names:
// the names once covered them.
MapScene beaconsBesideLongNames()
{
    MapScene scene;
    scene.route = {airport("KJFK", "John F Kennedy International Airport", 40.64, -73.78),
                   vor("MAD", "110.40", 41.31, -72.69), vor("PUT", "117.40", 41.96, -71.84),
                   vor("BOS", "112.70", 42.36, -70.99),
                   airport("KBOS", "General Edward Lawrence Logan International Airport", 42.36, -71.01)};
    scene.otherBeacons = {vor("HFD", "114.90", 41.64, -72.55), vor("ORW", "110.00", 41.56, -71.99),
                       vor("PVD", "115.60", 41.72, -71.43), vor("SEY", "117.80", 41.17, -71.58),
                       vor("LWM", "112.50", 42.65, -71.12), vor("CCC", "117.20", 40.93, -72.80)};
    return scene;
}

struct Case {
    const char* name;
    MapScene (*scene)();
    bool everyIdentRequired;  // at 600x450 and above
};

}  // namespace

TEST(LabelPlacement, NoLabelsOverlapNoneHidesARouteSymbolAndEachStandsByItsPoint)
{
    const Case cases[] = {
        {"New York to Los Angeles", maptest::newYorkToLosAngeles, true},
        {"London to Paris", maptest::londonToParis, true},
        {"Nadi to Faleolo", maptest::fijiToSamoa, true},
        {"thirty beacons", thirtyBeacons, true},
        {"beacons beside long names", beaconsBesideLongNames, true},
    };
    const int sizes[][2] = {{1200, 900}, {600, 450}, {400, 400}, {200, 150}};
    for (const Case& c : cases) {
        const MapScene scene = c.scene();
        for (const auto& [width, height] : sizes) {
            SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(width) + "x" + std::to_string(height));
            const map::MapView view = map::fitView(scene, width, height);
            const auto labels = maptest::svgLabels(map::renderSvg(maptest::testOutlines(), scene, view, width, height));
            for (const auto& [a, b] : maptest::overlappingLabels(labels)) {
                ADD_FAILURE() << '"' << a.text << "\" overlaps \"" << b.text << '"';
            }
            const map::Projection projection(view, width, height);
            for (const MapPoint& point : scene.route) {
                const map::PixelPoint p = projection.toPixels(point.lat, point.lon);
                // The symbol's core, which no text may cover.
                for (const SvgLabel& label : labels) {
                    const bool covers = label.left < p.x + 6 && p.x - 6 < label.right && label.top < p.y + 6 &&
                                        p.y - 6 < label.bottom;
                    EXPECT_FALSE(covers) << '"' << label.text << "\" covers " << point.ident;
                }
                int named = 0;
                for (const SvgLabel& label : labels) {
                    if (label.text != point.ident) {
                        continue;
                    }
                    ++named;
                    // Within a few label heights of its symbol, not a name's length away.
                    const double dx = std::max({label.left - p.x, p.x - label.right, 0.0});
                    const double dy = std::max({label.top - p.y, p.y - label.bottom, 0.0});
                    EXPECT_LT(std::hypot(dx, dy), 40.0) << point.ident << " stands apart from its symbol";
                }
                if (c.everyIdentRequired && point.kind == MapPoint::Kind::Vor && width >= 600 && height >= 450) {
                    EXPECT_EQ(named, 1) << point.ident << " is not named once";
                }
            }
        }
    }
}
