// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flightplan/FlightPlan.h"

#include <cstddef>

namespace follow {

// A position on the Earth, degrees, north and east positive.
struct GeoPoint {
    double latitude = 0.0;
    double longitude = 0.0;
};

// Where a position lies against one leg of a plan, measured on the leg's
// geodesic (WGS 84) through the point on it nearest the position.
struct LegProgress {
    std::size_t leg = 0;
    // From the leg's start to the nearest point, negative before the start;
    // more than the leg's length once the position is past its end.
    double alongNm = 0.0;
    // The leg's length less alongNm: negative once past abeam the end.
    double toGoNm = 0.0;
    // Off the course line, right of it (looking along the leg) positive.
    double crossTrackNm = 0.0;
    // Straight to the leg's end, always positive.
    double directToEndNm = 0.0;
};

// Where `position` lies against plan.legs[leg]. A leg too short to have a
// course (flightplan::SHORTEST_LEG_WITH_COURSE_NM) measures nothing along
// itself: alongNm is 0 and toGoNm the direct distance to its end. A
// position a quarter of the Earth or more from the leg (where no nearest
// point on the line is to be had) is measured on its direct distances.
// Throws std::out_of_range for a leg the plan lacks.
LegProgress legProgress(const flightplan::FlightPlan& plan, std::size_t leg, const GeoPoint& position);

// The geodesic distance and the initial azimuth (degrees in [0, 360)) from
// one point to another on WGS 84.
struct Bearing {
    double distanceNm = 0.0;
    double azimuthTrue = 0.0;
};
Bearing bearingBetween(const GeoPoint& from, const GeoPoint& to);

// An angle brought into (-180, 180].
double signedDegrees(double angle);

}  // namespace follow
