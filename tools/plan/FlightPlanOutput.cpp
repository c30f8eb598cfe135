// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/plan/FlightPlanOutput.h"

#include "data/NavDataEdition.h"

#include "tools/plan/RouteComparison.h"

#include "base/Utf8Text.h"

#include "flightplan/formats/Formats.h"
#include "flightplan/formats/FormatWriters.h"
#include "planning/PlanExport.h"
#include "map/MapFile.h"
#include "planning/PlanBuilder.h"

#include <optional>

using flightplan::FlightPlan;

void CheckExportNames(const PlanCommandLine& options)
{
    for (const std::string& path : options.exports)
        flightplan::requireFormatForPath(path);
    if (!options.mapFile.empty())
        map::requireMapFileName(options.mapFile);
}

void WriteFlightPlanOutputs(CDatabase& database, const std::string& departureID, const std::string& destinationID,
                            const std::vector<std::string>* listedBeaconIDs, const PlanCommandLine& options,
                            std::ostream& out, std::ostream& err)
{
    planning::PlanBuilder builder(database);
    const bool wantBest = options.BestRoute() || options.compare;
    const planning::PlanPair plans =
        builder.buildPlans(departureID, listedBeaconIDs, destinationID, options.choices, wantBest);
    // Whatever could not be made stops the run, the best route's first.
    if (wantBest)
        plans.plan(flightplan::RouteKind::Best);
    if (listedBeaconIDs && (!options.BestRoute() || options.compare))
        plans.plan(flightplan::RouteKind::Listed);
    const FlightPlan& plan = plans.plan(options.choices.routeKind);

    if (options.compare && options.format == PlanCommandLine::Format::Json)
        out << flightplan::writeJsonComparison(*plans.listed, *plans.best);
    else if (options.compare)
        out << base::validUtf8(writeRouteComparison(*plans.listed, *plans.best));
    else if (options.routeString)
        out << plan.route << "\n";
    else if (options.format == PlanCommandLine::Format::Json)
        out << flightplan::writeJson(plan);
    else if (options.format == PlanCommandLine::Format::Legs || options.BestRoute())
        out << base::validUtf8(flightplan::writeLegTable(plan));
    // The leg table says it itself; elsewhere the gap goes beside the output.
    const std::string gap = flightplan::coverageGapText(plan);
    if (!gap.empty() && (options.compare || options.routeString || options.format == PlanCommandLine::Format::Json))
        err << "meridane-plan: " << base::validUtf8(gap) << "\n";

    // The outlines and the beacons around the route are read once, and only
    // for a map or a kneeboard.
    std::optional<map::Outlines> outlines;
    std::optional<map::MapScene> scene;
    auto prepareMap = [&] {
        if (!outlines)
            outlines = map::loadOutlines(map::outlinesDirectory());
        if (!scene) {
            planning::SceneResult map = builder.planScene(plan);
            map.scene.showRanges = options.choices.rings;
            if (!map.note.empty())
                err << "meridane-plan: " << map.note << "\n";
            scene = std::move(map.scene);
        }
    };
    for (const std::string& path : options.exports) {
        planning::exportPlanFile(plan, path, [&] {
            prepareMap();
            return kneeboard::KneeboardInputs{options.choices.paper, &*outlines, *scene,
                                              NavDataLine(ReadNavDataEdition(&database))};
        });
    }
    if (!options.mapFile.empty()) {
        prepareMap();
        map::writeMapFile(options.mapFile, *outlines, *scene, options.mapWidth, options.mapHeight);
    }
}
