// SPDX-License-Identifier: GPL-3.0-or-later
#include "planning/PlanBuilder.h"

#include "flightplan/BestRoutePlan.h"
#include "flightplan/PlanError.h"
#include "planning/PlanScene.h"
#include "search/StationReader.h"
#include "search/WaypointRows.h"

#include <algorithm>
#include <stdexcept>

namespace planning {

const flightplan::FlightPlan& PlanPair::plan(flightplan::RouteKind kind) const
{
    const bool best = kind == flightplan::RouteKind::Best;
    const std::exception_ptr& error = best ? bestError : listedError;
    if (error)
        std::rethrow_exception(error);
    const std::optional<flightplan::FlightPlan>& built = best ? this->best : listed;
    if (!built)
        throw std::logic_error("the plan of a route that was not asked for");
    return *built;
}

std::string PlanPair::why(flightplan::RouteKind kind) const
{
    const std::exception_ptr& error = kind == flightplan::RouteKind::Best ? bestError : listedError;
    if (!error)
        return {};
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "an unknown error";
    }
}

PlanBuilder::PlanBuilder(CDatabase& database, ModelLoader loadModel)
    : m_database(database), m_loadModel(std::move(loadModel))
{
}

PlanBuilder::~PlanBuilder() = default;

const flightplan::MagneticModel& PlanBuilder::model()
{
    if (!m_model)
        m_model.emplace(m_loadModel());
    return *m_model;
}

const std::vector<flightplan::Waypoint>& PlanBuilder::beaconsAround(coverage::Navaids navaids, std::string& note)
{
    // Each kind is read once; what is missing is said in the note rather
    // than costing the map.
    const auto readBeaconsOnce = [](BeaconsAround& around, const char* plural, const auto& read) {
        if (around.beacons)
            return;
        std::size_t damaged = 0;
        try {
            around.beacons = read(&damaged);
            if (damaged > 0)
                around.note = "The map leaves out " + std::to_string(damaged) + " " + plural +
                              (damaged == 1 ? " whose position is damaged." : "s whose positions are damaged.");
        } catch (const std::exception& e) {
            around.beacons.emplace();
            around.note = std::string("The map shows no ") + plural + "s around the route: " + e.what();
        }
    };
    readBeaconsOnce(m_vors, "VOR", [&](std::size_t* damaged) { return search::readAllVors(m_database, damaged); });
    note = m_vors.note;
    if (navaids == coverage::Navaids::Vor)
        return *m_vors.beacons;
    readBeaconsOnce(m_ndbs, "NDB", [&](std::size_t* damaged) { return search::readAllNdbs(m_database, damaged); });
    if (!m_ndbs.note.empty())
        note += (note.empty() ? "" : "\n") + m_ndbs.note;
    if (!m_vorsAndNdbs) {
        m_vorsAndNdbs = *m_vors.beacons;
        m_vorsAndNdbs->insert(m_vorsAndNdbs->end(), m_ndbs.beacons->begin(), m_ndbs.beacons->end());
    }
    return *m_vorsAndNdbs;
}

SceneResult PlanBuilder::withBeacons(
    coverage::Navaids navaids,
    const std::function<map::MapScene(const std::vector<flightplan::Waypoint>&)>& scene, std::string note)
{
    std::string beaconsNote;
    const std::vector<flightplan::Waypoint>& beacons = beaconsAround(navaids, beaconsNote);
    SceneResult result{scene(beacons), std::move(note)};
    if (!beaconsNote.empty())
        result.note += (result.note.empty() ? "" : "\n") + beaconsNote;
    return result;
}

const std::vector<coverage::Station>& PlanBuilder::stations()
{
    if (!m_stations)
        m_stations = search::StationReader(&m_database).readSearchFacts();
    return *m_stations;
}

const std::vector<coverage::Station>& PlanBuilder::stationsWithNdbs()
{
    if (!m_stationsWithNdbs) {
        std::vector<coverage::Station> all = stations();
        std::vector<coverage::Station> ndbs = search::StationReader(&m_database).readNdbSearchFacts();
        all.insert(all.end(), std::make_move_iterator(ndbs.begin()), std::make_move_iterator(ndbs.end()));
        m_stationsWithNdbs = std::move(all);
    }
    return *m_stationsWithNdbs;
}

flightplan::FlightPlan PlanBuilder::bestPlan(const PlanRequest& request)
{
    const flightplan::Waypoint departure = search::readAirportWaypoint(m_database, request.route.departure);
    const flightplan::Waypoint destination =
        search::readAirportWaypoint(m_database, request.route.destination);
    // Before the stations are read: no database needs them for this answer.
    flightplan::requireTwoAirports(departure, destination);
    flightplan::PlanOptions options = request.options;
    if (!options.cruiseFt) {
        // Never lower than the listed route flies, where that route can be
        // planned: higher, the beacons reach at least as far, so the best
        // route leaves no more uncovered than the listed one.
        planning::PlanRequest listed = request;
        listed.options.routeKind = flightplan::RouteKind::Listed;
        try {
            const int listedCruiseFt = buildPlan(listed).cruiseFt;
            options.minimumCruiseFt = std::max(options.minimumCruiseFt.value_or(0), listedCruiseFt);
        } catch (const flightplan::PlanError&) {
            // A listed route that cannot be planned sets no floor; the
            // window and the planner say why it failed beside the best one.
        }
    }
    const std::vector<coverage::Station>& all =
        options.navaids == coverage::Navaids::VorNdb ? stationsWithNdbs() : stations();
    const flightplan::BestRouteChoice choice =
        flightplan::chooseBestRoute(departure, destination, all, options, model());
    // The stations taken, now with their idents, names and frequencies.
    std::vector<std::int64_t> ids;
    for (std::size_t index : choice.stations)
        ids.push_back(all[index].id);
    const std::vector<coverage::Station> chosen = search::StationReader(&m_database).readByIds(ids);
    if (chosen.size() != ids.size())
        throw flightplan::PlanError("A beacon of the best route vanished from the navigation database while it "
                                    "was read.");
    return flightplan::planChosenRoute(departure, destination, choice, chosen, options, model());
}

void PlanBuilder::requireSimulatorRanges()
{
    // Asked again until the answer is yes: a database imported anew under
    // the open window may have them now.
    if (!m_hasSimulatorRanges)
        m_hasSimulatorRanges = search::StationReader(&m_database).hasSimulatorRanges();
    if (!m_hasSimulatorRanges)
        throw flightplan::PlanError(
            "The navigation database has no simulator ranges (its table nav_coverage is missing or empty, or it "
            "was imported without X-Plane's nav.dat): import it again with meridane-navdb --xplane-nav to plan "
            "with simulator ranges.");
}

flightplan::FlightPlan PlanBuilder::buildPlan(const PlanRequest& request)
{
    if (request.options.rangeModel == coverage::RangeModel::Simulator)
        requireSimulatorRanges();
    if (request.options.routeKind == flightplan::RouteKind::Best)
        return bestPlan(request);
    std::vector<flightplan::Waypoint> waypoints = search::readRouteWaypoints(m_database, request.route);
    // The beacons' classes and simulator ranges, for their coverage. A
    // database imported before they existed still gives the listed plan,
    // its beacons counted as low-power ones.
    try {
        flightplan::attachStationFacts(waypoints, request.route.beacons,
                                       m_stations ? *m_stations
                                                  : search::StationReader(&m_database).readByIds(request.route.beacons));
    } catch (const std::exception&) {
    }
    return flightplan::computePlan(std::move(waypoints), request.options, model());
}

PlanPair PlanBuilder::buildPlans(const std::string& departureId, const std::vector<std::string>* listedBeaconIds,
                                 const std::string& destinationId, const PlanChoices& choices, bool wantBest)
{
    PlanPair pair;
    // The best route first: the listed one then finds the stations read.
    if (wantBest) {
        try {
            // With the listed route's beacons, whose cruise the best route
            // flies no lower than.
            pair.best = buildPlan({flightplan::routeIdsOf(departureId, listedBeaconIds ? *listedBeaconIds
                                                                                       : std::vector<std::string>{},
                                                          destinationId),
                                   choices.planOptions(flightplan::RouteKind::Best)});
        } catch (const std::exception&) {
            pair.bestError = std::current_exception();
        }
    }
    if (listedBeaconIds) {
        try {
            pair.listed = buildPlan({flightplan::routeIdsOf(departureId, *listedBeaconIds, destinationId),
                                     choices.planOptions(flightplan::RouteKind::Listed)});
        } catch (const std::exception&) {
            pair.listedError = std::current_exception();
        }
    }
    return pair;
}

SceneResult PlanBuilder::planScene(const flightplan::FlightPlan& plan)
{
    // The beacons the route was chosen among: NDBs too where it flies by them.
    return withBeacons(plan.navaids, [&](const std::vector<flightplan::Waypoint>& beacons) {
        return sceneOfPlan(plan, beacons);
    });
}

SceneResult PlanBuilder::airportsScene(const std::vector<std::string>& airportIds)
{
    std::vector<flightplan::Waypoint> airports;
    std::string note;
    try {
        for (const std::string& id : airportIds) {
            if (!id.empty())
                airports.push_back(
                    search::readAirportWaypoint(m_database, flightplan::parseRowId(id, "an airport")));
        }
    } catch (const std::exception& e) {
        // The world, as before any choice, and why.
        airports.clear();
        note = std::string("The map cannot show the chosen airports: ") + e.what();
    }
    return withBeacons(
        coverage::Navaids::Vor,
        [&](const std::vector<flightplan::Waypoint>& vors) { return sceneOfWaypoints(airports, vors); },
        std::move(note));
}

}  // namespace planning
