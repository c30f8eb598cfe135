// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/map/SampleScenes.h"
#include "tests/map/MapTestSupport.h"

#include "map/MapRenderer.h"
#include "map/MapStyle.h"
#include "map/Projection.h"
#include "map/ViewFit.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <optional>
#include <vector>

using maptest::mostlyColoured;
using maptest::rgbOf;
using map::MapPoint;
using map::MapScene;
using map::MapView;
using map::PixelPoint;
using map::Projection;
namespace style = map::style;

namespace {

constexpr int WIDTH = 1200;
constexpr int HEIGHT = 900;

std::uint32_t rgbOf(const map::Rgb& c)
{
    return maptest::rgbOf(c.r, c.g, c.b);
}

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

Surface drawn(const MapScene& scene, const MapView& view)
{
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, WIDTH, HEIGHT), cairo_surface_destroy);
    cairo_t* cr = cairo_create(surface.get());
    map::drawMap(cr, maptest::testOutlines(), scene, view, WIDTH, HEIGHT);
    EXPECT_EQ(cairo_status(cr), CAIRO_STATUS_SUCCESS);
    cairo_destroy(cr);
    return surface;
}

}  // namespace

TEST(MapDrawing, RouteSymbolsSitWhereTheProjectionPutsTheirPositions)
{
    for (const MapScene& scene : {maptest::newYorkToLosAngeles(), maptest::londonToParis()}) {
        const MapView view = map::fitView(scene, WIDTH, HEIGHT);
        const Surface surface = drawn(scene, view);
        const Projection projection(view, WIDTH, HEIGHT);
        for (const MapPoint& stop : scene.route) {
            const PixelPoint p = projection.toPixels(stop.lat, stop.lon);
            const bool airport = stop.kind == MapPoint::Kind::Airport;
            // The airport's disc, or the dot in the middle of the beacon's hexagon.
            EXPECT_TRUE(mostlyColoured(surface.get(), p.x, p.y, rgbOf(airport ? style::AIRPORT : style::VOR)))
                << stop.ident << " at " << p.x << ", " << p.y;
        }
    }
}

TEST(MapDrawing, LandAndSeaFallWhereTheyLie)
{
    struct Spot {
        double lat, lon;
        bool land;
    };
    // Spots away from the graticule lines, whose colour would decide them.
    struct Case {
        const char* what;
        MapView view;
        std::vector<Spot> spots;
    };
    const Case cases[] = {
        {"Kansas and the Atlantic", {37.0, -69.0, 4.0}, {{38.5, -98.0, true}, {35.0, -40.0, false}}},
        {"the Channel in detail", {50.5, 1.0, 0.25},
         {{51.5, -0.13, true}, {49.3, 2.6, true}, {50.2, -1.0, false}, {52.0, 2.5, false}}},
        // The antipode lies inside Antarctica: its ring encloses the far side.
        {"the whole earth from over Greenland", {75.0, -40.0, map::worldView(WIDTH, HEIGHT).nmPerPixel},
         {{74.3, -43.3, true}, {50.0, -35.0, false}, {20.0, -45.0, false}, {52.0, 10.0, true}}},
        {"the whole earth", map::worldView(WIDTH, HEIGHT),
         {{38.5, -98.0, true}, {-80.0, 15.0, true}, {5.0, -25.0, false}, {-55.0, 115.0, false}}},
    };
    for (const Case& c : cases) {
        const Surface surface = drawn({}, c.view);
        const Projection projection(c.view, WIDTH, HEIGHT);
        for (const Spot& spot : c.spots) {
            const PixelPoint p = projection.toPixels(spot.lat, spot.lon);
            ASSERT_TRUE(p.x >= 0 && p.y >= 0 && p.x < WIDTH && p.y < HEIGHT) << c.what;
            EXPECT_TRUE(mostlyColoured(surface.get(), p.x, p.y, rgbOf(spot.land ? style::LAND : style::SEA)))
                << c.what << ": " << spot.lat << ", " << spot.lon << " should be " << (spot.land ? "land" : "sea");
        }
    }
}

TEST(MapDrawing, RouteAcrossTheAntimeridianIsOnePicture)
{
    const MapScene scene = maptest::fijiToSamoa();
    const MapView view = map::fitView(scene, WIDTH, HEIGHT);
    const Surface surface = drawn(scene, view);
    const Projection projection(view, WIDTH, HEIGHT);
    const MapPoint& nadi = scene.route.front();
    const MapPoint& faleolo = scene.route.back();

    // The airports lie as far apart on the picture as they are on the earth.
    const GeographicLib::Geodesic& earth = GeographicLib::Geodesic::WGS84();
    double metres = 0.0;
    earth.Inverse(nadi.lat, nadi.lon, faleolo.lat, faleolo.lon, metres);
    const PixelPoint a = projection.toPixels(nadi.lat, nadi.lon);
    const PixelPoint b = projection.toPixels(faleolo.lat, faleolo.lon);
    EXPECT_NEAR(std::hypot(b.x - a.x, b.y - a.y) * view.nmPerPixel, metres / 1852.0, metres / 1852.0 * 0.01);

    // The leg passes its own middle, ...
    double midLat = 0.0;
    double midLon = 0.0;
    earth.InverseLine(nadi.lat, nadi.lon, faleolo.lat, faleolo.lon).Position(metres / 2, midLat, midLon);
    const PixelPoint middle = projection.toPixels(midLat, midLon);
    EXPECT_TRUE(maptest::sameColour(
        maptest::pixelAt(surface.get(), static_cast<int>(middle.x), static_cast<int>(middle.y)), rgbOf(style::LEG)));

    // ... and nothing of the route or the islands runs out to the picture's
    // sides: the corners are open sea and no leg pixel touches an edge.
    for (const auto& [x, y] : {std::pair{3, 3}, {WIDTH - 4, 3}, {3, HEIGHT - 4}, {WIDTH - 4, HEIGHT - 4}}) {
        EXPECT_TRUE(mostlyColoured(surface.get(), x, y, rgbOf(style::SEA))) << x << ", " << y;
    }
    const std::uint32_t leg = rgbOf(style::LEG);
    for (int y = 0; y < HEIGHT; ++y) {
        for (const int x : {0, 1, WIDTH - 2, WIDTH - 1}) {
            ASSERT_NE(maptest::pixelAt(surface.get(), x, y), leg) << x << ", " << y;
        }
    }
}

// Fiji to Samoa by one beacon 40 nm out of Nadi, received 40 nm: the leg
// stays magenta as far as the beacon reaches, and beyond it, across the
// antimeridian, the stretch no beacon reaches is marked instead.
TEST(MapDrawing, TheStretchNoBeaconReachesStandsOut)
{
    MapScene scene = maptest::fijiToSamoa();
    const MapPoint nadi = scene.route.front(), faleolo = scene.route.back();
    const GeographicLib::GeodesicLine line =
        GeographicLib::Geodesic::WGS84().InverseLine(nadi.lat, nadi.lon, faleolo.lat, faleolo.lon);
    MapPoint beacon{"NN", "NADI", "112.5", 0.0, 0.0, MapPoint::Kind::Vor, 40.0};
    line.Position(40.0 * 1852.0, beacon.lat, beacon.lon);
    scene.route.insert(scene.route.begin() + 1, beacon);
    const MapView view = map::fitView(scene, WIDTH, HEIGHT);
    const Projection projection(view, WIDTH, HEIGHT);
    for (const bool mark : {false, true}) {
        // From where the beacon's 40 nm end to Faleolo, which reaches nothing.
        scene.uncovered.clear();
        if (mark)
            scene.uncovered.push_back({1, 40.0, line.Distance() / 1852.0 - 40.0});
        const Surface surface = drawn(scene, view);
        const auto magentaAt = [&](double nm) {
            double lat = 0.0, lon = 0.0;
            line.Position(nm * 1852.0, lat, lon);
            const PixelPoint p = projection.toPixels(lat, lon);
            return maptest::sameColour(maptest::pixelAt(surface.get(), static_cast<int>(std::lround(p.x)),
                                                        static_cast<int>(std::lround(p.y))),
                                       rgbOf(style::LEG));
        };
        EXPECT_TRUE(magentaAt(62.0)) << "marked " << mark;
        for (const double nm : {300.0, line.Distance() / 1852.0 - 25.0})
            EXPECT_EQ(magentaAt(nm), !mark) << nm << " nm, marked " << mark;
    }
}

// The faint beacons beside the route tell an NDB from a VOR, as the route's
// own symbols do: the same spot drawn once with each differs, and both
// stand out from what lies beneath.
TEST(MapDrawing, AFaintNdbIsDrawnUnlikeAFaintVor)
{
    MapScene scene;
    scene.route = {MapPoint{"NFFN", "NADI", "", -17.76, 177.44, MapPoint::Kind::Airport, std::nullopt},
                   MapPoint{"NSFA", "FALEOLO", "", -13.83, -172.01, MapPoint::Kind::Airport, std::nullopt}};
    const MapView view = map::fitView(scene, WIDTH, HEIGHT);
    const Projection projection(view, WIDTH, HEIGHT);
    // Over the sea, east of the antimeridian.
    const MapPoint beacon{"FA", "FAINT", "", -15.5, -176.0, MapPoint::Kind::Vor, std::nullopt};
    const PixelPoint at = projection.toPixels(beacon.lat, beacon.lon);
    const auto symbolPixels = [&](std::optional<MapPoint::Kind> kind) {
        MapScene drawnScene = scene;
        if (kind) {
            drawnScene.otherBeacons = {beacon};
            drawnScene.otherBeacons[0].kind = *kind;
        }
        const Surface surface = drawn(drawnScene, view);
        std::vector<std::uint32_t> pixels;
        const int r = static_cast<int>(style::OTHER_BEACON_RADIUS) + 1;
        for (int y = -r; y <= r; ++y)
            for (int x = -r; x <= r; ++x)
                pixels.push_back(maptest::pixelAt(surface.get(), static_cast<int>(at.x) + x, static_cast<int>(at.y) + y));
        return pixels;
    };
    const auto differing = [](const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
        std::size_t n = 0;
        for (std::size_t i = 0; i < a.size(); ++i)
            n += !maptest::sameColour(a[i], b[i]);
        return n;
    };
    const auto none = symbolPixels(std::nullopt);
    const auto vor = symbolPixels(MapPoint::Kind::Vor);
    const auto ndb = symbolPixels(MapPoint::Kind::Ndb);
    EXPECT_GE(differing(vor, none), 10u);
    EXPECT_GE(differing(ndb, none), 10u);
    EXPECT_GE(differing(ndb, vor), 10u);
}
