// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flightplan/FlightPlan.h"
#include "follow/LegProgress.h"

namespace testplans {

// Plans over real places, their beacons with declinations of their own.
// North and west: KJFK, CCC (Calverton), MAD (Madison), PUT (Putnam), KBOS.
flightplan::FlightPlan newEngland();
// South and east: YSSY, BOMBALA-like beacons over New South Wales, YSCB.
flightplan::FlightPlan newSouthWales();
// Across the antimeridian: Nadi, two beacons either side of 180°, Funafuti-ish.
flightplan::FlightPlan acrossTheDateLine();
// Around San Francisco Bay, the beacons where FlightGear's navaids put them
// with the declinations its navaid file gives: KSFO, OSI, SJC, KSJC.
flightplan::FlightPlan bayArea();

// A point `alongNm` from a leg's start on its geodesic, moved `rightNm` off
// it square to the line (negative: to the left), by GeographicLib's direct
// problem: the position whose along-track and cross-track figures are known
// by construction.
follow::GeoPoint offLeg(const flightplan::FlightPlan& plan, std::size_t leg, double alongNm, double rightNm);

}  // namespace testplans
