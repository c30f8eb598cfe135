#include "FlightPlanOutput.h"

#include "base/Utf8Text.h"

#include "flightplan/formats/Formats.h"
#include "flightplan/formats/FormatWriters.h"
#include "map/MapFile.h"
#include "map/PlanScene.h"
#include "planning/PlanBuilder.h"

#include <iostream>

using flightplan::FlightPlan;

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
    planning::PlanRequest request;
    request.route = flightplan::routeIdsOf(departureID, beaconIDs, destinationID);
    if (options.speedKt)
        request.options.groundSpeedKt = *options.speedKt;
    request.options.cruiseFt = options.cruiseFt;
    planning::PlanBuilder builder(database);
    const FlightPlan plan = builder.buildPlan(request);

    if (options.routeString)
        out << plan.route << "\n";
    else if (options.format == PlanOptions::Format::Legs)
        out << base::validUtf8(flightplan::writeLegTable(plan));
    else if (options.format == PlanOptions::Format::Json)
        out << flightplan::writeJson(plan);
    for (const std::string& path : options.exports)
        flightplan::exportPlan(plan, path);
    if (!options.mapFile.empty()) {
        const routemap::Outlines outlines = routemap::loadOutlines(routemap::outlinesDirectory());
        const planning::SceneResult map = builder.planScene(plan);
        if (!map.note.empty())
            std::cerr << "meridane-plan: " << map.note << "\n";
        routemap::writeMapFile(options.mapFile, outlines, map.scene, options.mapWidth, options.mapHeight);
    }
}
