// SPDX-License-Identifier: GPL-3.0-or-later
#include "flightplan/BestRoutePlan.h"

#include "flightplan/MagneticModel.h"
#include "flightplan/PlanError.h"

#include "coverage/BestRoute.h"
#include "coverage/CoverageNetwork.h"

#include <GeographicLib/Geodesic.hpp>

#include <algorithm>
#include <unordered_map>

namespace flightplan {

int bestRouteSearchAltitudeFt(const Waypoint& departure, const Waypoint& destination, const PlanOptions& options,
                              const MagneticModel& model)
{
    if (options.cruiseFt)
        return *options.cruiseFt;
    double metres = 0.0, azimuth1 = 0.0, azimuth2 = 0.0;
    GeographicLib::Geodesic::WGS84().Inverse(departure.latitude, departure.longitude, destination.latitude,
                                             destination.longitude, metres, azimuth1, azimuth2);
    const double course = normalizeDegrees(
        azimuth1 - model.declination(departure.latitude, departure.longitude, decimalYear(options.date)));
    const double highest = std::max(departure.elevationFt.value_or(0.0), destination.elevationFt.value_or(0.0));
    return semicircularCruiseFt(course, highest);
}

Waypoint waypointOf(const coverage::Station& station)
{
    Waypoint point;
    point.kind = station.kind == coverage::StationKind::Ndb ? WaypointKind::Ndb : WaypointKind::Vor;
    point.ident = station.ident;
    point.name = station.name;
    point.latitude = station.latitude;
    point.longitude = station.longitude;
    point.frequency = station.frequency;
    point.elevationFt = station.elevationFt;
    point.declination = station.declination;
    point.serviceClass = station.serviceClass;
    point.ndbClass = station.ndbClass;
    point.simulatorRangeNm = station.simulatorRangeNm;
    return point;
}

FlightPlan planBestRoute(const Waypoint& departure, const Waypoint& destination,
                         const std::vector<coverage::Station>& stations, PlanOptions options,
                         const MagneticModel& model)
{
    if (departure.ident == destination.ident && departure.latitude == destination.latitude &&
        departure.longitude == destination.longitude)
        throw PlanError("The best route needs two different airports; " + departure.ident + " is both.");
    const int searchFt = bestRouteSearchAltitudeFt(departure, destination, options, model);
    const coverage::CoverageNetwork network(stations, searchFt, options.ranges);
    const coverage::BestRoute route =
        coverage::findBestRoute(network, {departure.latitude, departure.longitude},
                                {destination.latitude, destination.longitude});

    std::vector<Waypoint> waypoints{departure};
    for (std::size_t index : route.stations)
        waypoints.push_back(waypointOf(stations[index]));
    waypoints.push_back(destination);
    options.routeKind = RouteKind::Best;
    if (!options.cruiseFt)
        options.minimumCruiseFt = searchFt;
    return computePlan(std::move(waypoints), options, model);
}

void attachStationFacts(std::vector<Waypoint>& waypoints, const std::vector<std::int64_t>& beaconIds,
                        const std::vector<coverage::Station>& stations)
{
    std::unordered_map<std::int64_t, const coverage::Station*> byId;
    for (const coverage::Station& station : stations)
        byId.emplace(station.id, &station);
    for (std::size_t i = 0; i < beaconIds.size() && i + 1 < waypoints.size(); ++i) {
        const auto it = byId.find(beaconIds[i]);
        if (it == byId.end())
            continue;
        waypoints[i + 1].serviceClass = it->second->serviceClass;
        waypoints[i + 1].simulatorRangeNm = it->second->simulatorRangeNm;
    }
}

}  // namespace flightplan
