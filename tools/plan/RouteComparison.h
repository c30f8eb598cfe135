// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flightplan/FlightPlan.h"

#include <string>

// The listed and the best route side by side: distance, legs, uncovered
// distance, time and cruise, then each route in ICAO form.
std::string writeRouteComparison(const flightplan::FlightPlan& listed, const flightplan::FlightPlan& best);
