// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flightplan/FlightPlan.h"

#include <string>
#include <vector>

namespace flightplan {

// The plan's figures as the leg table, the windows, the navlog and the
// planner's summaries write them, each in one place.

// The cells of the leg table, for a window to show them as the text does:
// the columns (the heading and ground speed only with a wind, the fuel only
// with a burn), one row per leg, the totals line and the cruise altitude.
struct LegColumn {
    std::string heading;
    bool figure;  // right-aligned
    std::string compact;  // the heading in a narrow pane
};
std::vector<LegColumn> legTableColumns(const FlightPlan& plan);
std::vector<std::vector<std::string>> legTableRows(const FlightPlan& plan);
std::string legTableTotals(const FlightPlan& plan);
// The same legs in narrow columns for a pane beside other controls: both
// radials in one cell ("057→239", the first the leaving beacon's, the
// second the reached one's), a short coverage note; the columns'
// `compact` headings.
std::vector<std::vector<std::string>> compactLegRows(const FlightPlan& plan);
std::string cruiseText(const FlightPlan& plan);
// "every leg covered" or "87 nm without a receivable VOR".
std::string coverageTotalText(const FlightPlan& plan);
// Where a best route has no receivable VOR, naming the beacons on either
// side of its longest uncovered stretch; "" for any other plan.
std::string coverageGapText(const FlightPlan& plan);
// The beacons of a plan under simulator ranges that the simulator's data
// lacks: "KTG, VAD: not in the simulator's data, so not receivable there";
// "" when there is none.
std::string simulatorDataText(const FlightPlan& plan);
// One line for comparing routes: "2,310 nm · 40 legs · every leg covered".
std::string routeSummaryText(const FlightPlan& plan);
// "Ground speed 110 kt" in still air, else "True airspeed 110 kt, wind 270/25".
std::string speedText(const FlightPlan& plan);

// A bearing as a pilot sets it: whole degrees, three digits, 360 for north.
std::string degreesText(double angle);
// What to tune for a leg: a VOR's frequency as the database writes it
// ("110.4"), an NDB's on the ADF in kHz ("ADF 338", "ADF 415.5"); "-" for
// none.
std::string tuneText(const Leg& leg);
// What the pilot holds leaving the leg's first beacon ("R-057", "QDR 247")
// and reaching its last ("R-239", "QDM 065"); "" for an airport end or a leg
// without a course.
std::string outboundBearingText(const Leg& leg);
std::string inboundBearingText(const Leg& leg);
// Minutes as h:mm; "--:--" for a negative or unknown time, or one beyond
// LONGEST_DURATION_MINUTES (a hundred thousand hours).
inline constexpr double LONGEST_DURATION_MINUTES = 6e6;
std::string durationText(double minutes);

// The AIRAC cycle in effect on a date as X-Plane writes it ("2506").
std::string airacCycle(const CivilDate& date);

}  // namespace flightplan
