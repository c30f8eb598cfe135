// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flying/FlightFollower.h"

#include <string>

namespace flying {

// One line for a pilot reading a terminal:
// "leg 2 MAD-PUT  PUT 117.4  radial 163 TO  CDI -1.2  XTK 0.4 R  to go 27.3 nm 13.6 min"
std::string followTextLine(const flightplan::FlightPlan& plan, const FollowFrame& frame);

// The window's strip, two lines:
// "Leg 3 of 5: MAD → PUT · tune PUT 117.4, OBS 044"
// "Radial 226 TO · CDI ··◆··|····· −2.9 · XTK 1.1 nm L · 27.3 nm, 13.6 min to PUT"
struct StripLines {
    std::string leg;
    std::string needle;
};
StripLines followStripLines(const flightplan::FlightPlan& plan, const FollowFrame& frame);
// The needle as text: 11 places, the centre marked, ◆ where it stands.
std::string cdiGauge(double dots);

// One JSON object (a single line, no newline) with lat, lon, alt_ft, gs_kt,
// hdg_mag, leg (an index into the plan's legs), from, to, station,
// frequency, radial, to_from, cdi_dots, xtk_nm, along_nm, to_go_nm, ete_min,
// arrived, the simulator's own NAV1 (nav1: frequency, radial, to_from) and
// link ("connected" or what is wrong). Figures not known are null.
std::string followJsonLine(const flightplan::FlightPlan& plan, const FollowFrame& frame, const std::string& link);

}  // namespace flying
