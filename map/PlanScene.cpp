// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/PlanScene.h"

#include "base/DataFiles.h"

#include <set>
#include <string>

namespace routemap {

namespace {

MapPoint pointOf(const flightplan::Waypoint& waypoint)
{
    MapPoint point;
    point.ident = waypoint.ident;
    point.name = waypoint.name;
    point.lat = waypoint.latitude;
    point.lon = waypoint.longitude;
    point.kind = waypoint.kind == flightplan::WaypointKind::Airport ? MapPoint::Kind::Airport : MapPoint::Kind::Vor;
    if (point.kind == MapPoint::Kind::Vor && waypoint.frequency)
        point.frequency = *waypoint.frequency;
    point.rangeNm = waypoint.rangeNm;
    return point;
}

}  // namespace

MapScene sceneOf(const std::vector<flightplan::Waypoint>& route, const std::vector<flightplan::Waypoint>& vors)
{
    MapScene scene;
    std::set<std::pair<double, double>> onRoute;
    for (const flightplan::Waypoint& waypoint : route) {
        scene.route.push_back(pointOf(waypoint));
        scene.markUncovered = scene.markUncovered || waypoint.rangeNm.has_value();
        onRoute.emplace(waypoint.latitude, waypoint.longitude);
    }
    for (const flightplan::Waypoint& vor : vors) {
        if (!onRoute.count({vor.latitude, vor.longitude}))
            scene.otherVors.push_back(pointOf(vor));
    }
    return scene;
}

std::string outlinesDirectory()
{
    const std::string land = FindDataFile("naturalearth/land-110m.json");
    return land.substr(0, land.rfind('/'));
}

}  // namespace routemap
