#include "FlightPlanOutput.h"

#include "flightplan/MagneticModel.h"
#include "flightplan/PlanReader.h"
#include "flightplan/formats/Formats.h"
#include "flightplan/formats/FormatWriters.h"
#include "map/MapFile.h"
#include "map/PlanScene.h"

using flightplan::FlightPlan;
using flightplan::MagneticModel;

void CheckExportNames(const PlanOptions& options)
{
    for (const std::string& path : options.exports)
        flightplan::requireFormatForPath(path);
    if (!options.mapFile.empty())
        routemap::requireMapFileName(options.mapFile);
}

void WriteFlightPlanOutputs(CDatabase& database, const std::string& departureID, const std::string& destinationID,
                            const std::vector<std::string>& beaconIDs, const PlanOptions& options,
                            std::ostream& out)
{
    const flightplan::RouteIds route = flightplan::routeIdsOf(departureID, beaconIDs, destinationID);
    flightplan::PlanOptions planOptions;
    if (options.speedKt)
        planOptions.groundSpeedKt = *options.speedKt;
    planOptions.cruiseFt = options.cruiseFt;
    const MagneticModel model = MagneticModel::loadInstalled();
    const FlightPlan plan = flightplan::buildPlan(database, route, planOptions, model);

    if (options.routeString)
        out << plan.route << "\n";
    else if (options.format == PlanOptions::Format::Legs)
        out << flightplan::writeLegTable(plan);
    else if (options.format == PlanOptions::Format::Json)
        out << flightplan::writeJson(plan);
    for (const std::string& path : options.exports)
        flightplan::exportPlan(plan, path);
    if (!options.mapFile.empty()) {
        const routemap::Outlines outlines = routemap::loadOutlines(routemap::outlinesDirectory());
        const routemap::MapScene scene = routemap::sceneOf(plan.waypoints, flightplan::readAllVors(database));
        routemap::writeMapFile(options.mapFile, outlines, scene, options.mapWidth, options.mapHeight);
    }
}
