// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flightplan/FlightPlan.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kneeboard {

// A cell of the printed navlog holds two lines: a leg's figure above and,
// where there is one, what adds up or pairs with it below.
struct NavlogCell {
    std::string top;
    std::string bottom;
};

struct NavlogColumn {
    NavlogCell heading;
    bool figure = false;   // right-aligned
    bool writeIn = false;  // left empty for the pilot's pencil (ETA, ATA)
    bool whole = false;    // never cut to fit the paper (idents, frequencies)
};

// The navlog's columns in printed order, as indices into a row; Fuel is
// there only with a fuel burn.
enum NavlogColumnIndex : std::size_t {
    FROM_TO,
    FREQUENCY,
    RADIALS,
    MAGNETIC_COURSE,
    MAGNETIC_HEADING,
    DISTANCE,
    GROUND_SPEED,
    TIME_EN_ROUTE,
    ETA,
    ATA,
    FUEL,
};

// What the navlog prints, before any question of paper: a row per leg, and
// the totals under the figures that add up.
struct NavlogTable {
    std::vector<NavlogColumn> columns;
    std::vector<std::vector<NavlogCell>> rows;
    std::vector<NavlogCell> totals;
};

// Each station's frequency stands beside its ident (the leg's start on the
// top line, its end below). Where any leg has a stretch no beacon reaches,
// or a changeover point away from halfway, a column says so ("gap 488" over
// "COP 120").
NavlogTable navlogTable(const flightplan::FlightPlan& plan);

}  // namespace kneeboard
