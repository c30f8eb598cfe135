#pragma once

#include "flightplan/FlightPlan.h"

#include <optional>
#include <vector>

namespace flightplan {

class MagneticModel;

inline constexpr double DEFAULT_GROUND_SPEED_KT = 110.0;

struct PlanOptions {
    double groundSpeedKt = DEFAULT_GROUND_SPEED_KT;
    std::optional<int> cruiseFt;  // replaces the suggested altitude
    CivilDate date = todayUtc();
};

// The legs, totals, cruise altitude and route string of the waypoints:
// an airport, any number of beacons, an airport. Throws PlanError for fewer
// than two waypoints, ends that are not airports, a non-positive ground
// speed, a negative cruise altitude or an invalid date.
FlightPlan computePlan(std::vector<Waypoint> waypoints, const PlanOptions& options, const MagneticModel& model);

// The VFR semicircular altitude for a magnetic course (rounded to whole
// degrees; 0-179 odd thousands + 500 ft, 180-359 even thousands + 500 ft),
// the lowest one at least 1,500 ft above highestElevationFt.
int semicircularCruiseFt(double magneticCourse, double highestElevationFt);

// The ICAO route: the departure, each beacon preceded by DCT, the
// destination; DCT alone between the airports when there is no beacon.
std::string icaoRoute(const std::vector<Waypoint>& waypoints);

// An angle in degrees brought into [0, 360).
double normalizeDegrees(double angle);

}  // namespace flightplan
