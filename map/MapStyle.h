// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/MapText.h"

namespace map::style {

// Colours of a printed chart: pale land on a light sea, the route in magenta.
constexpr Rgb OFF_EARTH{0.96, 0.96, 0.95};
constexpr Rgb SEA{0.78, 0.87, 0.94};
constexpr Rgb LAND{0.95, 0.93, 0.85};
constexpr Rgb COAST{0.42, 0.55, 0.68};
constexpr Rgb BORDER{0.62, 0.52, 0.62};
constexpr Rgb GRATICULE{0.62, 0.68, 0.76};
constexpr Rgb GRATICULE_TEXT{0.25, 0.33, 0.45};
constexpr Rgb OTHER_BEACON{0.35, 0.45, 0.75};
constexpr Rgb LEG{0.78, 0.05, 0.55};
constexpr Rgb VOR{0.08, 0.16, 0.52};
constexpr Rgb AIRPORT{0.00, 0.42, 0.30};
// NDBs in the brownish red charts print them in, apart from the VORs' blue.
constexpr Rgb NDB{0.55, 0.16, 0.12};
constexpr Rgb WHITE{1.0, 1.0, 1.0};
constexpr Rgb INK{0.10, 0.10, 0.18};

constexpr double AIRPORT_RADIUS = 8.0;
constexpr double VOR_RADIUS = 9.0;
constexpr double NDB_RADIUS = 9.0;
constexpr double OTHER_BEACON_RADIUS = 4.5;

}  // namespace map::style
