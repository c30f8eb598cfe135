// SPDX-License-Identifier: GPL-3.0-or-later
#include "FlightPlanOutput.h"

#include "NavDataEdition.h"

#include "RouteComparison.h"

#include "base/Utf8Text.h"

#include "flightplan/formats/Formats.h"
#include "flightplan/formats/FormatWriters.h"
#include "kneeboard/PlanExport.h"
#include "map/MapFile.h"
#include "map/PlanScene.h"
#include "planning/PlanBuilder.h"

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
                            const std::vector<std::string>* listedBeaconIDs, const PlanOptions& options,
                            std::ostream& out, std::ostream& err)
{
    planning::PlanRequest request;
    request.route = flightplan::routeIdsOf(departureID, listedBeaconIDs ? *listedBeaconIDs : std::vector<std::string>(),
                                           destinationID);
    if (options.speedKt)
        request.options.trueAirspeedKt = *options.speedKt;
    request.options.wind = options.wind;
    request.options.fuelBurnPerHour = options.fuelBurn;
    request.options.cruiseFt = options.cruiseFt;
    request.options.ranges = options.ranges;
    request.options.navaids = options.navaids;
    planning::PlanBuilder builder(database);

    // The best route first: the listed one then finds the stations read.
    std::optional<FlightPlan> listed, best;
    if (options.bestRoute || options.compare) {
        planning::PlanRequest bestRequest = request;
        bestRequest.options.routeKind = flightplan::RouteKind::Best;
        best = builder.buildPlan(bestRequest);
    }
    if (listedBeaconIDs && (!options.bestRoute || options.compare))
        listed = builder.buildPlan(request);
    const FlightPlan& plan = options.bestRoute ? *best : *listed;

    if (options.compare && options.format == PlanOptions::Format::Json)
        out << flightplan::writeJsonComparison(*listed, *best);
    else if (options.compare)
        out << base::validUtf8(writeRouteComparison(*listed, *best));
    else if (options.routeString)
        out << plan.route << "\n";
    else if (options.format == PlanOptions::Format::Json)
        out << flightplan::writeJson(plan);
    else if (options.format == PlanOptions::Format::Legs || options.bestRoute)
        out << base::validUtf8(flightplan::writeLegTable(plan));
    // The leg table says it itself; elsewhere the gap goes beside the output.
    const std::string gap = flightplan::coverageGapText(plan);
    if (!gap.empty() && (options.compare || options.routeString || options.format == PlanOptions::Format::Json))
        err << "meridane-plan: " << base::validUtf8(gap) << "\n";

    // The outlines and the beacons around the route are read once, and only
    // for a map or a kneeboard.
    std::optional<routemap::Outlines> outlines;
    std::optional<routemap::MapScene> scene;
    auto prepareMap = [&] {
        if (!outlines)
            outlines = routemap::loadOutlines(routemap::outlinesDirectory());
        if (!scene) {
            planning::SceneResult map = builder.planScene(plan);
            map.scene.showRanges = options.mapRings;
            if (!map.note.empty())
                err << "meridane-plan: " << map.note << "\n";
            scene = std::move(map.scene);
        }
    };
    for (const std::string& path : options.exports) {
        kneeboard::exportPlanFile(plan, path, [&] {
            prepareMap();
            return kneeboard::KneeboardInputs{options.paper, &*outlines, *scene,
                                              NavDataLine(ReadNavDataEdition(&database))};
        });
    }
    if (!options.mapFile.empty()) {
        prepareMap();
        routemap::writeMapFile(options.mapFile, *outlines, *scene, options.mapWidth, options.mapHeight);
    }
}
