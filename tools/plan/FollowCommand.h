// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/plan/PlanCommandLine.h"

#include <string>
#include <vector>

class CDatabase;

// --follow: builds the plan the options choose (the listed route's when
// its beacons are given, else the best covered route's), connects to the
// simulator named, and prints a line a second (or one JSON object a line
// with --format json) until the destination is reached or the user presses
// Ctrl-C. The link's troubles go to standard error, naming the host, the
// port and what to start; it keeps trying. With --tune NAV1 is tuned to
// each leg's station and the course set as OBS. Returns the exit status.
int FollowPlan(CDatabase& database, const std::string& departureID, const std::string& destinationID,
               const std::vector<std::string>* listedBeaconIDs, const PlanCommandLine& options);
