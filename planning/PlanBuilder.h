// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coverage/Station.h"
#include "flightplan/FlightPlan.h"
#include "flightplan/MagneticModel.h"
#include "flightplan/PlanCalculation.h"
#include "flightplan/RouteIds.h"
#include "planning/BuiltPlan.h"
#include "planning/PlanChoices.h"

#include <exception>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CDatabase;

namespace planning {

// What a plan is asked for. The route comes as the route search chose it;
// how it is flown (speed, cruise, date, range model) as the calculation
// takes it. With options.routeKind Best the plan takes the best covered
// route between the route's two airports instead of its beacons; without a
// cruise altitude it is searched and flown at the cruise of the listed
// route (the route's beacons) or higher. Other
// flight conditions belong here as fields of their own, so that the planner
// and the window ask alike.
struct PlanRequest {
    flightplan::RouteIds route;
    flightplan::PlanOptions options;
};

// The plans of both routes between two airports, each there or missing
// with the error that said why.
struct PlanPair {
    std::optional<flightplan::FlightPlan> listed, best;
    std::exception_ptr listedError, bestError;  // set where a plan asked for could not be made

    // The plan of the route of `kind`; rethrows why it is missing.
    const flightplan::FlightPlan& plan(flightplan::RouteKind kind) const;
    // Why the plan of `kind` is missing, as the user reads it; "" when it
    // is there or was not asked for.
    std::string why(flightplan::RouteKind kind) const;
};

// Builds flight plans and their maps from the navigation database for the
// planner and the window alike. It keeps what every plan of a session
// shares and is slow to read: the magnetic model and the VORs the map shows
// around a route, each read on first need.
class PlanBuilder {
public:
    using ModelLoader = std::function<flightplan::MagneticModel()>;

    // The connection is borrowed and must outlive the builder. The model
    // comes from loadModel, the installed one unless told otherwise.
    explicit PlanBuilder(CDatabase& database, ModelLoader loadModel = &flightplan::MagneticModel::loadInstalled);
    ~PlanBuilder();
    PlanBuilder(const PlanBuilder&) = delete;
    PlanBuilder& operator=(const PlanBuilder&) = delete;

    // The plan of one route. Throws flightplan::PlanError for damaged or missing
    // rows and values, for a best route from an airport to itself and for
    // simulator ranges from a database that has none,
    // CDBException when the database lacks the stations' classes for a best
    // route (a listed plan is made without them, its beacons counted as
    // low-power ones, as are beacons without a class row), and
    // std::runtime_error when the model is not installed.
    flightplan::FlightPlan buildPlan(const PlanRequest& request);

    // The plans the pilot may choose between, built alike for the planner
    // and the window: the listed route's of the beacons the route search
    // chose (IDs as its rows hold them; none when listedBeaconIds is null)
    // and, when wantBest, the best covered route's between the same
    // airports. A plan that cannot be made is missing and says why; the
    // other is made all the same.
    PlanPair buildPlans(const std::string& departureId, const std::vector<std::string>* listedBeaconIds,
                        const std::string& destinationId, const PlanChoices& choices, bool wantBest);

    // The map scene of a plan built here, the stretches of its legs that no
    // beacon reaches marked.
    SceneResult planScene(const flightplan::FlightPlan& plan);

    // The map before there is a route: the airports chosen so far (IDs as
    // the window holds them; empty for none) among the VORs. When an airport
    // cannot be read, the scene shows the world without it and says why.
    SceneResult airportsScene(const std::vector<std::string>& airportIds);

private:
    // Beacons read for the map, and what the reading left out.
    struct BeaconsAround {
        std::optional<std::vector<flightplan::Waypoint>> beacons;
        std::string note;
    };

    const flightplan::MagneticModel& model();
    // The VORs, and with Navaids::VorNdb the NDBs after them, each kind
    // read once; the note says why some or all are missing.
    const std::vector<flightplan::Waypoint>& beaconsAround(coverage::Navaids navaids, std::string& note);
    // The scene made from the beacons around, and what it lacks: `note`,
    // then why beacons are missing.
    SceneResult withBeacons(coverage::Navaids navaids,
                            const std::function<map::MapScene(const std::vector<flightplan::Waypoint>&)>& scene,
                            std::string note = {});
    // The VOR-family stations with what the best-route search needs of
    // them (no names), read once.
    const std::vector<coverage::Station>& stations();
    // The same VORs followed by the NDBs, read once.
    const std::vector<coverage::Station>& stationsWithNdbs();
    flightplan::FlightPlan bestPlan(const PlanRequest& request);
    // Simulator ranges need a database that has them; without, every
    // beacon would count as missing from the simulator.
    void requireSimulatorRanges();

    CDatabase& m_database;
    ModelLoader m_loadModel;
    std::optional<flightplan::MagneticModel> m_model;
    BeaconsAround m_vors, m_ndbs;
    std::optional<std::vector<flightplan::Waypoint>> m_vorsAndNdbs;
    std::optional<std::vector<coverage::Station>> m_stations;
    std::optional<std::vector<coverage::Station>> m_stationsWithNdbs;
    bool m_hasSimulatorRanges = false;
};

}  // namespace planning
