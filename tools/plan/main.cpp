// meridane-plan: the route search from a terminal, on VORS.MDB in the
// current directory.
#include "AirportArgument.h"
#include "AirportInfo.h"
#include "ConnectionString.h"
#include "DBException.h"
#include "Database.h"
#include "FileException.h"
#include "FlightPlanOutput.h"
#include "PlanOptions.h"
#include "PlanReport.h"
#include "RouteSearch.h"
#include "RouteTable.h"
#include "RowSink.h"
#include "flightplan/PlanError.h"
#include "map/MapError.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace {

enum ExitCode { EXIT_OK = 0, EXIT_FAILURE_DB = 1, EXIT_USAGE = 2 };  // 1 also for a file or output error

// The printed route is the product: when it did not arrive (a full disk,
// a failing device) the run must not count as a success.
ExitCode FinishStandardOutput()
{
    errno = 0;
    std::cout.flush();
    if (std::cout.good() && std::fflush(stdout) == 0 && !std::ferror(stdout))
        return EXIT_OK;
    std::cerr << "meridane-plan: cannot write to standard output"
              << (errno != 0 ? std::string(": ") + std::strerror(errno) : std::string()) << "\n";
    return EXIT_FAILURE_DB;
}

}  // namespace

int main(int argc, char** argv)
{
    PlanOptions options;
    std::string error;
    if (!ParsePlanOptions(argc, argv, options, error)) {
        std::cerr << "meridane-plan: " << error << "\n" << PLAN_USAGE;
        return EXIT_USAGE;
    }
    if (options.help) {
        std::cout << PLAN_USAGE;
        return FinishStandardOutput();
    }
    try {
        CheckExportNames(options);
    } catch (const std::runtime_error& e) {
        std::cerr << "meridane-plan: " << e.what() << "\n";
        return EXIT_USAGE;
    }

    try {
        CDatabase database;
        database.Open(nullptr, false, true, NAVDB_CONNECT_STRING, true);

        std::string departureID = ResolveAirportArgument(database, options.departure, std::cerr);
        if (departureID.empty())
            return EXIT_USAGE;
        std::string destinationID = ResolveAirportArgument(database, options.destination, std::cerr);
        if (destinationID.empty())
            return EXIT_USAGE;

        RowList route(ROUTE_COLUMNS);
        auto statementsBefore = database.GetStatementCount();
        auto start = std::chrono::steady_clock::now();
        RouteSearch search(&database, departureID, destinationID, route);
        search.Run();
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

        if (options.NeedsFlightPlan())
            WriteFlightPlanOutputs(database, departureID, destinationID, search.ChosenBeaconIDs(), options,
                                   std::cout);
        // The plan's own text, where asked for, stands in for the route rows.
        const bool planText = options.routeString || options.format == PlanOptions::Format::Legs ||
                              options.format == PlanOptions::Format::Json;
        if (!planText && options.format == PlanOptions::Format::Tsv)
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
    } catch (const flightplan::PlanError& e) {
        std::cerr << "meridane-plan: " << e.what() << "\n";
        return EXIT_FAILURE_DB;
    } catch (const routemap::MapError& e) {
        std::cerr << "meridane-plan: " << e.what() << "\n";
        return EXIT_FAILURE_DB;
    } catch (const CFileException& e) {
        std::cerr << "meridane-plan: " << e.what() << "\n";
        return EXIT_FAILURE_DB;
    } catch (const CDBException& e) {
        std::string text = e.what();
        while (!text.empty() && text.back() == '\n')
            text.pop_back();
        std::cerr << "meridane-plan: " << text << "\n";
        return EXIT_FAILURE_DB;
    } catch (const std::runtime_error& e) {
        // A data file the plan needs is not installed.
        std::cerr << "meridane-plan: " << e.what() << "\n";
        return EXIT_FAILURE_DB;
    }
    return FinishStandardOutput();
}
