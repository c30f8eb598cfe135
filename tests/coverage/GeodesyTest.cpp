// SPDX-License-Identifier: GPL-3.0-or-later
// The lower bounds the coverage search rules legs out with: never above the
// geodesic they bound (else the search would miss the best route) and close
// below it (else they would rule nothing out).

#include "coverage/Geodesy.h"

#include <gtest/gtest.h>

namespace {

struct Pair {
    const char* what;
    double lat1, lon1, lat2, lon2;
    double geodesicNm;  // by Vincenty's formulae, or hand-worked on the ellipsoid
};

}  // namespace

TEST(Geodesy, BoundsStayBelowTheGeodesicAndCloseToIt)
{
    // A degree of latitude at the equator is the meridian's radius of
    // curvature there, a(1 - e²), over a radian: 110,574 m. A degree of
    // longitude on the equator is a over a radian: 111,319 m.
    const Pair pairs[] = {
        {"north along the equator's meridian", 0, 0, 1, 0, 110574.389 / 1852.0},
        {"east along the equator", 0, 0, 0, 1, 111319.491 / 1852.0},
        {"south across the equator", 1, 0, -1, 0, 2 * 110574.389 / 1852.0},
        {"high north", 80, 10, 81, 10, 111663.201 / 1852.0},
        {"over the south pole", -89.5, 0, -89.5, 180, 111693.951 / 1852.0},
        {"across the antimeridian", -17, 179.5, -17, -179.5, 106485.715 / 1852.0},
        {"north-east in the west", 45, -120, 47, -118, 270941.237 / 1852.0},
        {"JFK to LHR", 40.6, -73.8, 51.6, -0.5, 5551759.4 / 1852.0},
        {"antipodes on the equator", 0, 0, 0, 180, 20003931.46 / 1852.0},
    };
    for (const Pair& p : pairs) {
        const double geodesic = coverage::geodesicNm(p.lat1, p.lon1, p.lat2, p.lon2);
        // The geodesic itself against the independent figure: a check on
        // the table, so that the bounds are held to the right distance.
        EXPECT_NEAR(geodesic, p.geodesicNm, 1e-4) << p.what;
        const coverage::Direction a = coverage::directionOf(p.lat1, p.lon1);
        const coverage::Direction b = coverage::directionOf(p.lat2, p.lon2);
        const double arc = coverage::geodesicLowerBoundNm(a, b);
        const double chord = coverage::chordLowerBoundNm(a, b);
        const double series = coverage::seriesLowerBoundNm(a, b);
        EXPECT_LE(arc, geodesic) << p.what;
        EXPECT_LE(series, arc) << p.what;
        EXPECT_LE(chord, series) << p.what;
        // The polar radius is 0.9966 of the equatorial one: the arc on its
        // sphere is never much shorter than the way over the surface.
        EXPECT_GE(arc, 0.995 * geodesic) << p.what;
        if (geodesic <= 1500.0) {
            EXPECT_GE(series, 0.999 * arc) << p.what;
        }
    }
}
