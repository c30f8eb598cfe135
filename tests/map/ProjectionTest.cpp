// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/Projection.h"

#include <gtest/gtest.h>

using map::GeoPoint;
using map::MapView;
using map::PixelPoint;
using map::Projection;

namespace {

// Ten pixels per degree of arc on a 1000x800 picture, centre at (500, 400).
MapView viewAt(double lat, double lon)
{
    return {lat, lon, map::EARTH_RADIUS_NM * map::RADIANS_PER_DEGREE / 10.0};
}

struct Case {
    const char* what;
    GeoPoint centre;
    GeoPoint point;
    PixelPoint expected;  // from spherical trigonometry, worked apart from the code
};

const Case CASES[] = {
    {"east along the equator", {0, 0}, {0, 30}, {800, 400}},
    {"north along the prime meridian", {0, 0}, {30, 0}, {500, 100}},
    {"north pole from the equator", {0, 0}, {90, 0}, {500, -500}},
    {"nearly the antipode", {0, 0}, {0, 179}, {2290, 400}},
    {"east across the antimeridian", {0, 180}, {0, -170}, {600, 400}},
    {"west across the antimeridian", {0, -180}, {0, 170}, {400, 400}},
    {"centre's meridian from the north pole", {90, 0}, {80, 0}, {500, 500}},
    {"90E from the north pole", {90, 0}, {80, 90}, {600, 400}},
    {"antimeridian from the north pole", {90, 0}, {80, 180}, {500, 300}},
    {"centre's meridian from the south pole", {-90, 0}, {-80, 0}, {500, 300}},
    {"a parallel curves towards its pole", {45, 10}, {45, 20}, {570.531, 395.637}},
    {"Sydney to Santiago", {-33.95, 151.18}, {-33.39, -70.79}, {1082.111, 1237.365}},
};

}  // namespace

TEST(Projection, PlacesPointsAtTrueDistanceAndDirectionFromTheCentre)
{
    for (const Case& c : CASES) {
        const Projection projection(viewAt(c.centre.lat, c.centre.lon), 1000, 800);
        const PixelPoint p = projection.toPixels(c.point.lat, c.point.lon);
        EXPECT_NEAR(p.x, c.expected.x, 0.01) << c.what;
        EXPECT_NEAR(p.y, c.expected.y, 0.01) << c.what;

        // And back: the inverse gives the same place (any longitude at a pole).
        const auto back = projection.toDegrees(p);
        ASSERT_TRUE(back) << c.what;
        EXPECT_NEAR(back->lat, c.point.lat, 1e-9) << c.what;
        if (std::fabs(c.point.lat) < 90.0) {
            EXPECT_NEAR(std::remainder(back->lon - c.point.lon, 360.0), 0.0, 1e-9) << c.what;
        }
    }
}

TEST(Projection, NothingLiesBeyondTheAntipodesRim)
{
    const Projection projection(viewAt(40, -100), 1000, 800);
    EXPECT_TRUE(projection.toDegrees({500 + 1799.0, 400}));
    EXPECT_FALSE(projection.toDegrees({500 + 1801.0, 400}));
    EXPECT_FALSE(projection.toDegrees({500 + 1300.0, 400 + 1300.0}));
}
