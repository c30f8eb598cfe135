// SPDX-License-Identifier: GPL-3.0-or-later
#include "planning/PlanScene.h"
#include "flightplan/formats/FormatWriters.h"

#include <set>
#include <string>

namespace planning {

namespace {

using map::MapPoint;

MapPoint pointOf(const flightplan::Waypoint& waypoint)
{
    MapPoint point;
    point.ident = waypoint.ident;
    point.name = waypoint.name;
    point.lat = waypoint.latitude;
    point.lon = waypoint.longitude;
    switch (waypoint.kind) {
    case flightplan::WaypointKind::Airport:
        point.kind = MapPoint::Kind::Airport;
        break;
    case flightplan::WaypointKind::Vor:
        point.kind = MapPoint::Kind::Vor;
        if (waypoint.frequency)
            point.frequency = *waypoint.frequency;
        break;
    case flightplan::WaypointKind::Ndb:
        point.kind = MapPoint::Kind::Ndb;
        if (waypoint.frequency) {
            flightplan::Leg tuned;
            tuned.frequency = waypoint.frequency;
            tuned.radio = flightplan::Radio::Adf;
            point.frequency = flightplan::tuneText(tuned);
        }
        break;
    }
    point.rangeNm = waypoint.rangeNm;
    return point;
}

}  // namespace

map::MapScene sceneOfWaypoints(const std::vector<flightplan::Waypoint>& route,
                                    const std::vector<flightplan::Waypoint>& vors)
{
    map::MapScene scene;
    std::set<std::pair<double, double>> onRoute;
    for (const flightplan::Waypoint& waypoint : route) {
        scene.route.push_back(pointOf(waypoint));
        onRoute.emplace(waypoint.latitude, waypoint.longitude);
    }
    for (const flightplan::Waypoint& vor : vors) {
        if (!onRoute.count({vor.latitude, vor.longitude}))
            scene.otherBeacons.push_back(pointOf(vor));
    }
    return scene;
}

map::MapScene sceneOfPlan(const flightplan::FlightPlan& plan, const std::vector<flightplan::Waypoint>& vors)
{
    map::MapScene scene = sceneOfWaypoints(plan.waypoints, vors);
    for (const flightplan::Leg& leg : plan.legs) {
        if (leg.uncoveredNm > 0.0 && leg.to == leg.from + 1)
            scene.uncovered.push_back({leg.from, leg.uncoveredFromNm, leg.uncoveredFromNm + leg.uncoveredNm});
    }
    return scene;
}

}  // namespace planning
