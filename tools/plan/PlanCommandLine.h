// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/MapSize.h"
#include "planning/PlanChoices.h"

#include <optional>
#include <string>
#include <vector>

// What the command line of meridane-plan asks for: the airports, the output
// and, as the window's fields give them too, the pilot's choices.
struct PlanCommandLine {
    enum class Format { Table, Tsv, Legs, Json };
    Format format = Format::Table;
    bool stats = false;
    bool report = false;
    bool help = false;
    bool version = false;  // --version: the program's version and its navigation data
    bool routeString = false;
    std::vector<std::string> exports;  // flight-plan files, format by extension
    // The route, ranges, airspeed, wind, fuel burn, cruise, the kneeboard's
    // paper and the map's rings, as the window's fields give them too.
    planning::PlanChoices choices;
    bool compare = false;    // both routes' summaries side by side
    std::string mapFile;  // the route map, SVG or PNG by the extension
    int mapWidth = map::MAP_FILE_WIDTH, mapHeight = map::MAP_FILE_HEIGHT;
    // --follow: the simulator to follow the plan in, as
    // flightgear[:HOST[:PORT]] or xplane[:HOST[:PORT]]; "" not to.
    std::string follow;
    bool tune = false;  // --tune: while following, tune NAV1 at each leg and changeover
    std::string database;  // --db: this database and no other; "" to look for one
    std::string departure;
    std::string destination;

    // The best covered route instead of the listed one.
    bool BestRoute() const { return choices.routeKind == flightplan::RouteKind::Best; }

    // Whether the run needs a flight plan, not only the route rows.
    bool NeedsFlightPlan() const
    {
        // A wind is checked whatever the output: one that makes a leg
        // impossible is an error even where only the route rows are shown.
        return format == Format::Legs || format == Format::Json || routeString || !exports.empty() ||
               !mapFile.empty() || BestRoute() || compare || choices.wind.has_value();
    }
};

// Parses the command line; false with a message in `error` when it is wrong.
// --help (or -h) wins over everything after it.
bool ParsePlanCommandLine(int argc, char** argv, PlanCommandLine& options, std::string& error);

// The usage text --help prints and a wrong command line follows.
std::string PlanUsage();
