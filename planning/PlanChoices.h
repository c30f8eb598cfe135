// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coverage/StationRange.h"
#include "flightplan/FlightPlan.h"
#include "flightplan/PlanCalculation.h"
#include "kneeboard/Paper.h"

#include <optional>
#include <string>
#include <string_view>

namespace planning {

// The range a figure the pilot gives is taken in, both ends included; the
// terminal's options and the window's fields read figures by these alone.
struct FigureLimit {
    double lowest;
    double highest;
    bool whole;  // whole numbers only
};

// True airspeed in knots: below a knot the times of a long route leave
// every clock, and nothing that flies by VOR goes faster.
inline constexpr FigureLimit TRUE_AIRSPEED_LIMIT{flightplan::MIN_TRUE_AIRSPEED_KT, flightplan::MAX_TRUE_AIRSPEED_KT,
                                                false};
// Cruise altitude in feet.
inline constexpr FigureLimit CRUISE_LIMIT{0.0, 60000.0, true};
// Fuel burnt per hour, in any unit: beyond the largest the totals lose
// their digits.
inline constexpr FigureLimit FUEL_BURN_LIMIT{0.0, 1e6, false};

// A decimal number within limit (blanks around it and a leading '+'
// allowed, the C locale's point whatever the process's); nullopt for
// anything else. A negative zero reads as zero.
std::optional<double> parseFigure(std::string_view text, const FigureLimit& limit);

// "from 1 to 2000": the limit as messages give it.
std::string limitText(const FigureLimit& limit);

// "listed" or "best"; nullopt for anything else.
std::optional<flightplan::RouteKind> parseRouteKind(std::string_view text);

// What the pilot chose for a plan, from the terminal's options or the
// window's fields alike: which route and under which range model, how it
// is flown, and how it is printed and drawn. What is not given takes the
// calculation's defaults.
struct PlanChoices {
    flightplan::RouteKind routeKind = flightplan::RouteKind::Listed;
    coverage::RangeModel rangeModel = coverage::RangeModel::Standard;
    // What the best route may fly by.
    coverage::Navaids navaids = coverage::Navaids::Vor;
    std::optional<int> cruiseFt;
    std::optional<double> trueAirspeedKt;
    std::optional<flightplan::Wind> wind;
    std::optional<double> fuelBurnPerHour;
    kneeboard::Paper paper = kneeboard::Paper::A5;
    bool rings = false;  // the route beacons' ranges drawn on the map

    // How the calculation takes the choices, for the route of `kind`.
    flightplan::PlanOptions planOptions(flightplan::RouteKind kind) const;
};

}  // namespace planning
