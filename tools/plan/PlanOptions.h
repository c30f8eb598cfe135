// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coverage/StationRange.h"
#include "flightplan/WindTriangle.h"
#include "kneeboard/Paper.h"
#include "map/MapSize.h"

#include <optional>
#include <string>
#include <vector>

struct PlanOptions {
    enum class Format { Table, Tsv, Legs, Json };
    Format format = Format::Table;
    bool stats = false;
    bool report = false;
    bool help = false;
    bool version = false;  // --version: the program's version and its navigation data
    bool routeString = false;
    std::vector<std::string> exports;  // flight-plan files, format by extension
    std::optional<double> speedKt;  // the true airspeed
    std::optional<flightplan::Wind> wind;
    std::optional<double> fuelBurn;  // per hour
    kneeboard::Paper paper = kneeboard::Paper::A5;  // the kneeboard navlog's
    std::optional<int> cruiseFt;
    bool bestRoute = false;  // the best covered route instead of the listed one
    bool compare = false;    // both routes' summaries side by side
    coverage::RangeModel ranges = coverage::RangeModel::Standard;
    coverage::Navaids navaids = coverage::Navaids::Vor;  // what the best route may fly by
    std::string mapFile;  // the route map, SVG or PNG by the extension
    bool mapRings = false;  // the route beacons' ranges as rings on the map
    int mapWidth = routemap::kMapFileWidth, mapHeight = routemap::kMapFileHeight;
    std::string database;  // --db: this database and no other; "" to look for one
    std::string departure;
    std::string destination;

    // Whether the run needs a flight plan, not only the route rows.
    bool NeedsFlightPlan() const
    {
        // A wind is checked whatever the output: one that makes a leg
        // impossible is an error even where only the route rows are shown.
        return format == Format::Legs || format == Format::Json || routeString || !exports.empty() ||
               !mapFile.empty() || bestRoute || compare || wind.has_value();
    }
};

// Parses the command line; false with a message in `error` when it is wrong.
// --help (or -h) wins over everything after it.
bool ParsePlanOptions(int argc, char** argv, PlanOptions& options, std::string& error);

// The usage text --help prints and a wrong command line follows.
std::string PlanUsage();
