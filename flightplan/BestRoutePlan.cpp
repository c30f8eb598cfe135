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
    const std::optional<double> course =
        directMagneticCourse(departure, destination, decimalYear(options.date), model);
    double highest = std::max(departure.elevationFt.value_or(0.0), destination.elevationFt.value_or(0.0));
    if (options.minimumCruiseFt)
        highest = std::max(highest, *options.minimumCruiseFt - CRUISE_CLEARANCE_FT);
    return semicircularCruiseFt(course.value_or(0.0), highest);
}

void requireTwoAirports(const Waypoint& departure, const Waypoint& destination)
{
    if (departure.ident == destination.ident && departure.latitude == destination.latitude &&
        departure.longitude == destination.longitude)
        throw PlanError("The best route needs two different airports; " + departure.ident + " is both.");
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

BestRouteChoice chooseBestRoute(const Waypoint& departure, const Waypoint& destination,
                                const std::vector<coverage::Station>& stations, const PlanOptions& options,
                                const MagneticModel& model)
{
    requireTwoAirports(departure, destination);
    // The route is flown at the altitude it was searched at. Where the rule
    // asks for more (a beacon on high ground), the search is made again up
    // there, until the two agree: each round climbs by at least a thousand
    // feet and the rule's floor lies below the highest station, so this ends.
    // Only the cruise is wanted of each trial plan, which neither wind nor
    // fuel changes.
    PlanOptions trial = options;
    trial.wind.reset();
    trial.fuelBurnPerHour.reset();
    BestRouteChoice choice;
    choice.searchFt = bestRouteSearchAltitudeFt(departure, destination, options, model);
    coverage::LegLengths lengths(stations);
    for (;;) {
        const coverage::CoverageNetwork network(stations, choice.searchFt, options.rangeModel, &lengths);
        choice.stations = coverage::findBestRoute(network, {departure.latitude, departure.longitude},
                                                  {destination.latitude, destination.longitude})
                              .stations;
        if (options.cruiseFt)
            return choice;
        std::vector<Waypoint> waypoints{departure};
        for (std::size_t index : choice.stations)
            waypoints.push_back(waypointOf(stations[index]));
        waypoints.push_back(destination);
        trial.minimumCruiseFt = choice.searchFt;
        const int cruiseFt = computePlan(std::move(waypoints), trial, model).cruiseFt;
        if (cruiseFt <= choice.searchFt)
            return choice;
        choice.searchFt = cruiseFt;
    }
}

FlightPlan planBestRoute(const Waypoint& departure, const Waypoint& destination,
                         const std::vector<coverage::Station>& stations, PlanOptions options,
                         const MagneticModel& model)
{
    const BestRouteChoice choice = chooseBestRoute(departure, destination, stations, options, model);
    std::vector<coverage::Station> chosen;
    for (std::size_t index : choice.stations)
        chosen.push_back(stations[index]);
    return planChosenRoute(departure, destination, choice, chosen, std::move(options), model);
}

FlightPlan planChosenRoute(const Waypoint& departure, const Waypoint& destination, const BestRouteChoice& choice,
                           const std::vector<coverage::Station>& chosen, PlanOptions options,
                           const MagneticModel& model)
{
    std::vector<Waypoint> waypoints{departure};
    for (const coverage::Station& station : chosen)
        waypoints.push_back(waypointOf(station));
    waypoints.push_back(destination);
    options.routeKind = RouteKind::Best;
    if (!options.cruiseFt)
        options.minimumCruiseFt = choice.searchFt;
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
