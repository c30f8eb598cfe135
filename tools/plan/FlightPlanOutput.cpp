#include "FlightPlanOutput.h"

#include "base/Utf8Text.h"

#include "flightplan/formats/Formats.h"
#include "flightplan/formats/FormatWriters.h"
#include "kneeboard/PlanExport.h"
#include "map/MapFile.h"
#include "map/PlanScene.h"
#include "planning/PlanBuilder.h"

#include <iostream>
#include <optional>

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
        request.options.trueAirspeedKt = *options.speedKt;
    request.options.wind = options.wind;
    request.options.fuelBurnPerHour = options.fuelBurn;
    request.options.cruiseFt = options.cruiseFt;
    planning::PlanBuilder builder(database);
    const FlightPlan plan = builder.buildPlan(request);

    if (options.routeString)
        out << plan.route << "\n";
    else if (options.format == PlanOptions::Format::Legs)
        out << base::validUtf8(flightplan::writeLegTable(plan));
    else if (options.format == PlanOptions::Format::Json)
        out << flightplan::writeJson(plan);
    // The outlines and the beacons around the route are read once, and only
    // for a map or a kneeboard.
    std::optional<routemap::Outlines> outlines;
    std::optional<routemap::MapScene> scene;
    auto prepareMap = [&] {
        if (!outlines)
            outlines = routemap::loadOutlines(routemap::outlinesDirectory());
        if (!scene) {
            const planning::SceneResult map = builder.planScene(plan);
            if (!map.note.empty())
                std::cerr << "meridane-plan: " << map.note << "\n";
            scene = map.scene;
        }
    };
    for (const std::string& path : options.exports) {
        kneeboard::exportPlanFile(plan, path, [&] {
            prepareMap();
            return kneeboard::KneeboardInputs{options.paper, &*outlines, *scene};
        });
    }
    if (!options.mapFile.empty()) {
        prepareMap();
        routemap::writeMapFile(options.mapFile, *outlines, *scene, options.mapWidth, options.mapHeight);
    }
}
