// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/MapText.h"

namespace map::style {

// Colours of a printed chart: pale land on a light sea, the route in magenta.
constexpr Rgb kOffEarth{0.96, 0.96, 0.95};
constexpr Rgb kSea{0.78, 0.87, 0.94};
constexpr Rgb kLand{0.95, 0.93, 0.85};
constexpr Rgb kCoast{0.42, 0.55, 0.68};
constexpr Rgb kBorder{0.62, 0.52, 0.62};
constexpr Rgb kGraticule{0.62, 0.68, 0.76};
constexpr Rgb kGraticuleText{0.25, 0.33, 0.45};
constexpr Rgb kOtherBeacon{0.35, 0.45, 0.75};
constexpr Rgb kLeg{0.78, 0.05, 0.55};
constexpr Rgb kVor{0.08, 0.16, 0.52};
constexpr Rgb kAirport{0.00, 0.42, 0.30};
// NDBs in the brownish red charts print them in, apart from the VORs' blue.
constexpr Rgb kNdb{0.55, 0.16, 0.12};
constexpr Rgb kWhite{1.0, 1.0, 1.0};
constexpr Rgb kInk{0.10, 0.10, 0.18};

constexpr double kAirportRadius = 8.0;
constexpr double kVorRadius = 9.0;
constexpr double kNdbRadius = 9.0;
constexpr double kOtherBeaconRadius = 4.5;

}  // namespace map::style
