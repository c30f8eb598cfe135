// SPDX-License-Identifier: GPL-3.0-or-later
// meridane-plan: the route search from a terminal.
#include "tools/plan/AirportArgument.h"
#include "route/AirportInfo.h"
#include "tools/plan/AirportPosition.h"
#include "data/Database.h"
#include "tools/plan/DatabaseLocation.h"
#include "data/NavDataEdition.h"
#include "tools/plan/FlightPlanOutput.h"
#include "tools/plan/FollowCommand.h"
#include "tools/plan/PlanCommandLine.h"
#include "tools/plan/PlanReport.h"
#include "route/RouteSearch.h"
#include "tools/plan/RouteTable.h"
#include "route/RowSink.h"
#include "tools/common/CommandLineOptions.h"
#include "tools/common/ProgramOutput.h"

#include <chrono>
#include <cstdio>
#include <iostream>

namespace {

const char PROGRAM[] = "meridane-plan";

// The database the options name, or the first the usual places hold; ""
// after saying where it looked.
std::string ChooseDatabase(const PlanCommandLine& options)
{
    if (!options.database.empty())
        return options.database;
    const DatabaseLocation location = FindPlannerDatabase();
    if (location.path.empty()) {
        std::cerr << PROGRAM << ": no navigation database; looked for it at:\n";
        for (const std::string& place : location.tried)
            std::cerr << "  " << place << "\n";
        std::cerr << "Build one with meridane-navdb, or name one with --db PATH.\n";
    }
    return location.path;
}

// --version: the program and the data it plans with (the database --db
// names or the one it would use).
int PrintVersion(const PlanCommandLine& options)
{
    std::cout << PROGRAM << " " << MERIDANE_VERSION << "\n";
    const std::string databasePath = ChooseDatabase(options);
    if (databasePath.empty())
        return tools::EXIT_FAILED;
    CDatabase database;
    database.Open(nullptr, false, true, ConnectStringFor(databasePath), true);
    std::cout << NavDataLine(ReadNavDataEdition(&database)) << " (" << databasePath << ")\n";
    return tools::EXIT_OK;
}

// The run after the command line was read: the exit status.
int Plan(const PlanCommandLine& options)
{
    const std::string databasePath = ChooseDatabase(options);
    if (databasePath.empty())
        return tools::EXIT_FAILED;
    CDatabase database;
    database.Open(nullptr, false, true, ConnectStringFor(databasePath), true);

    std::string departureID = ResolveAirportArgument(database, options.departure, databasePath, std::cerr);
    if (departureID.empty())
        return tools::EXIT_USAGE;
    std::string destinationID = ResolveAirportArgument(database, options.destination, databasePath, std::cerr);
    if (destinationID.empty())
        return tools::EXIT_USAGE;
    CheckAirportPosition(database, departureID, databasePath);
    CheckAirportPosition(database, destinationID, databasePath);

    if ((options.BestRoute() || options.compare) && departureID == destinationID) {
        std::cerr << PROGRAM << ": the best route needs two different airports; " << options.departure
                  << " is both\n";
        return tools::EXIT_USAGE;
    }

    // The listed route, where anything asks for it: the best route alone
    // needs it only for the cruise it must not fly below.
    const bool listedRoute = !options.BestRoute() || options.compare || options.report || !options.choices.cruiseFt;
    RowList route(ROUTE_COLUMNS);
    auto statementsBefore = database.GetStatementCount();
    auto start = std::chrono::steady_clock::now();
    RouteSearch search(&database, departureID, destinationID, route);
    if (listedRoute)
        search.Run();
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    if (!options.follow.empty()) {
        const std::vector<std::string> beaconIDs = search.ChosenBeaconIDs();
        return FollowPlan(database, departureID, destinationID, listedRoute ? &beaconIDs : nullptr, options);
    }
    if (options.NeedsFlightPlan()) {
        const std::vector<std::string> beaconIDs = search.ChosenBeaconIDs();
        WriteFlightPlanOutputs(database, departureID, destinationID, listedRoute ? &beaconIDs : nullptr, options,
                               std::cout, std::cerr);
    }
    // The plan's own text, where asked for, stands in for the route rows.
    const bool planText = options.routeString || options.format == PlanCommandLine::Format::Legs ||
                          options.format == PlanCommandLine::Format::Json || options.BestRoute() || options.compare;
    if (!planText && options.format == PlanCommandLine::Format::Tsv)
        PrintRouteTsv(std::cout, route.Rows());
    else if (!planText)
        PrintRouteTable(std::cout, route.Rows());
    if (options.report)
        std::cout << WritePlanReport(&database, departureID, destinationID, route.Rows()) << "\n";
    if (options.stats) {
        std::fprintf(stderr, "statements: %llu\ntime: %.1f ms\nbeacons: %d\n",
                     static_cast<unsigned long long>(database.GetStatementCount() - statementsBefore),
                     seconds * 1000.0, route.GetItemCount());
    }
    return tools::EXIT_OK;
}

}  // namespace

int main(int argc, char** argv)
{
    PlanCommandLine options;
    std::string error;
    if (!ParsePlanCommandLine(argc, argv, options, error)) {
        std::cerr << PROGRAM << ": " << error << "\n" << PlanUsage();
        return tools::EXIT_USAGE;
    }
    if (options.help) {
        std::cout << PlanUsage();
        return tools::outputArrived(std::cout, std::cerr, PROGRAM) ? tools::EXIT_OK : tools::EXIT_FAILED;
    }
    try {
        CheckExportNames(options);
    } catch (const std::exception& e) {
        std::cerr << PROGRAM << ": " << e.what() << "\n";
        return tools::EXIT_USAGE;
    }

    int status = tools::EXIT_OK;
    try {
        status = options.version ? PrintVersion(options) : Plan(options);
    } catch (const std::exception& e) {
        // The database, a data file, the plan, the map or a file written:
        // each layer's message names the thing and the cause.
        std::cerr << PROGRAM << ": " << tools::messageLine(e) << "\n";
        return tools::EXIT_FAILED;
    }
    if (status != tools::EXIT_OK)
        return status;
    return tools::outputArrived(std::cout, std::cerr, PROGRAM) ? tools::EXIT_OK : tools::EXIT_FAILED;
}
