// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coverage/Station.h"
#include "flightplan/FlightPlan.h"
#include "flightplan/MagneticModel.h"
#include "flightplan/PlanCalculation.h"
#include "flightplan/RouteIds.h"
#include "planning/BuiltPlan.h"

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

    // The plan only. Throws flightplan::PlanError for damaged or missing
    // rows and values, for a best route from an airport to itself and for
    // simulator ranges from a database that has none,
    // CDBException when the database lacks the stations' classes,
    // std::runtime_error when the model is not installed.
    flightplan::FlightPlan buildPlan(const PlanRequest& request);

    // The plan and its map scene. A map without the VORs around the route
    // is still a map; its note says why they are missing.
    BuiltPlan build(const PlanRequest& request);

    // The map scene of a plan built here, its uncovered stretches marked.
    SceneResult planScene(const flightplan::FlightPlan& plan);

    // The map before there is a route: the airports chosen so far (IDs as
    // the window holds them; empty for none) among the VORs. When an airport
    // cannot be read, the scene shows the world without it and says why.
    SceneResult airportsScene(const std::vector<std::string>& airportIds);

private:
    const flightplan::MagneticModel& model();
    // The VORs, read once; the note says why some or all are missing.
    const std::vector<flightplan::Waypoint>& allVors(std::string& note);
    SceneResult sceneOf(const std::vector<flightplan::Waypoint>& route, std::string note = {});
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
    std::optional<std::vector<flightplan::Waypoint>> m_vors;
    std::string m_vorsNote;
    std::optional<std::vector<coverage::Station>> m_stations;
    std::optional<std::vector<coverage::Station>> m_stationsWithNdbs;
    bool m_hasSimulatorRanges = false;
};

}  // namespace planning
