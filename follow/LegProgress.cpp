// SPDX-License-Identifier: GPL-3.0-or-later
#include "follow/LegProgress.h"

#include "base/Units.h"
#include "flightplan/PlanCalculation.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>
#include <GeographicLib/Gnomonic.hpp>

#include <cmath>
#include <stdexcept>

namespace follow {

namespace {

constexpr double METRES_PER_NM = base::METRES_PER_NM;
// The gnomonic projection holds within a quarter of the Earth of its
// centre; beyond a sixth the iteration is no longer worth trusting.
constexpr double FARTHEST_FOR_INTERCEPT_M = 6.6e6;
constexpr int MOST_ITERATIONS = 12;
constexpr double CONVERGED_M = 0.01;

const GeographicLib::Geodesic& wgs84() { return GeographicLib::Geodesic::WGS84(); }

double distanceM(double lat1, double lon1, double lat2, double lon2)
{
    double metres = 0.0;
    wgs84().Inverse(lat1, lon1, lat2, lon2, metres);
    return metres;
}

// The point of the geodesic through a and b nearest p, as Karney's
// interception method finds it: in the gnomonic projection centred on the
// present guess geodesics are nearly straight, so the foot of the
// perpendicular there is a better guess; a few rounds converge to the
// centimetre. Returns false when a point falls outside the projection.
bool nearestOnGeodesic(const GeoPoint& a, const GeoPoint& b, const GeoPoint& p, GeoPoint& foot)
{
    const GeographicLib::Gnomonic gnomonic(wgs84());
    // Start from the end nearer the position, which the projection around
    // it always holds when the position is near the leg.
    foot = distanceM(a.latitude, a.longitude, p.latitude, p.longitude) <
                   distanceM(b.latitude, b.longitude, p.latitude, p.longitude)
               ? a
               : b;
    for (int round = 0; round < MOST_ITERATIONS; ++round) {
        double xa, ya, xb, yb, xp, yp;
        gnomonic.Forward(foot.latitude, foot.longitude, a.latitude, a.longitude, xa, ya);
        gnomonic.Forward(foot.latitude, foot.longitude, b.latitude, b.longitude, xb, yb);
        gnomonic.Forward(foot.latitude, foot.longitude, p.latitude, p.longitude, xp, yp);
        if (!std::isfinite(xa + ya + xb + yb + xp + yp))
            return false;
        const double dx = xb - xa, dy = yb - ya;
        const double t = ((xp - xa) * dx + (yp - ya) * dy) / (dx * dx + dy * dy);
        GeoPoint next;
        gnomonic.Reverse(foot.latitude, foot.longitude, xa + t * dx, ya + t * dy, next.latitude, next.longitude);
        if (!std::isfinite(next.latitude + next.longitude))
            return false;
        const double moved = distanceM(foot.latitude, foot.longitude, next.latitude, next.longitude);
        foot = next;
        if (moved < CONVERGED_M)
            return true;
    }
    return true;
}

}  // namespace

double signedDegrees(double angle)
{
    double a = std::fmod(angle, 360.0);
    if (a <= -180.0)
        a += 360.0;
    else if (a > 180.0)
        a -= 360.0;
    return a;
}

Bearing bearingBetween(const GeoPoint& from, const GeoPoint& to)
{
    double metres = 0.0, azimuth1 = 0.0, azimuth2 = 0.0;
    wgs84().Inverse(from.latitude, from.longitude, to.latitude, to.longitude, metres, azimuth1, azimuth2);
    return Bearing{metres / METRES_PER_NM, flightplan::normalizeDegrees(azimuth1)};
}

LegProgress legProgress(const flightplan::FlightPlan& plan, std::size_t legIndex, const GeoPoint& position)
{
    const flightplan::Leg& leg = plan.legs.at(legIndex);
    const flightplan::Waypoint& from = plan.waypoints.at(leg.from);
    const flightplan::Waypoint& to = plan.waypoints.at(leg.to);
    const GeoPoint a{from.latitude, from.longitude};
    const GeoPoint b{to.latitude, to.longitude};

    LegProgress progress;
    progress.leg = legIndex;
    progress.directToEndNm = bearingBetween(position, b).distanceNm;
    GeoPoint foot;
    const bool near = distanceM(a.latitude, a.longitude, position.latitude, position.longitude) <
                          FARTHEST_FOR_INTERCEPT_M ||
                      distanceM(b.latitude, b.longitude, position.latitude, position.longitude) <
                          FARTHEST_FOR_INTERCEPT_M;
    if (!leg.courseTrue || !near || !nearestOnGeodesic(a, b, position, foot)) {
        progress.toGoNm = progress.directToEndNm;
        progress.alongNm = leg.distanceNm - progress.toGoNm;
        return progress;
    }

    // Along: signed by whether the foot lies ahead of the start on the
    // leg's own azimuth; across: by which side of the line's local azimuth
    // at the foot the position lies.
    const Bearing startToFoot = bearingBetween(a, foot);
    const bool ahead = std::fabs(signedDegrees(startToFoot.azimuthTrue - *leg.courseTrue)) < 90.0 ||
                       startToFoot.distanceNm * METRES_PER_NM < CONVERGED_M;
    progress.alongNm = ahead ? startToFoot.distanceNm : -startToFoot.distanceNm;
    progress.toGoNm = leg.distanceNm - progress.alongNm;

    const GeographicLib::GeodesicLine line = wgs84().InverseLine(a.latitude, a.longitude, b.latitude, b.longitude);
    double lat = 0.0, lon = 0.0, azimuthAtFoot = 0.0;
    line.Position(progress.alongNm * METRES_PER_NM, lat, lon, azimuthAtFoot);
    const Bearing footToPosition = bearingBetween(foot, position);
    const double side = signedDegrees(footToPosition.azimuthTrue - azimuthAtFoot);
    progress.crossTrackNm = side >= 0.0 ? footToPosition.distanceNm : -footToPosition.distanceNm;
    return progress;
}

}  // namespace follow
