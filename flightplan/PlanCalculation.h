// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flightplan/FlightPlan.h"

#include <optional>
#include <vector>

namespace flightplan {

class MagneticModel;

inline constexpr double DEFAULT_TRUE_AIRSPEED_KT = 110.0;
// The airspeeds a plan is made for: below a knot the times of a long route
// leave every clock, and nothing that flies by VOR goes faster.
inline constexpr double MIN_TRUE_AIRSPEED_KT = 1.0;
inline constexpr double MAX_TRUE_AIRSPEED_KT = 2000.0;
inline constexpr double RESERVE_MINUTES = 45.0;
// The semicircular altitude lies at least this far above the route's highest
// point.
inline constexpr double CRUISE_CLEARANCE_FT = 1500.0;

struct PlanOptions {
    double trueAirspeedKt = DEFAULT_TRUE_AIRSPEED_KT;
    std::optional<Wind> wind;                // nullopt: still air
    std::optional<double> fuelBurnPerHour;  // nullopt: no fuel figures
    std::optional<int> cruiseFt;  // replaces the suggested altitude
    // The suggested altitude is raised to at least this one (keeping to the
    // semicircular rule): a route found at one altitude must not be flown
    // lower, where its beacons reach less far.
    std::optional<int> minimumCruiseFt;
    CivilDate date = todayUtc();
    RouteKind routeKind = RouteKind::Listed;
    coverage::RangeModel rangeModel = coverage::RangeModel::Standard;
    // Which stations the best route may fly by; the listed route has VORs.
    coverage::Navaids navaids = coverage::Navaids::Vor;
};

// The legs, totals, cruise altitude and route string of the waypoints:
// an airport, any number of beacons, an airport. Throws PlanError for fewer
// than two waypoints, ends that are not airports, a true airspeed outside
// MIN_TRUE_AIRSPEED_KT..MAX_TRUE_AIRSPEED_KT, a wind or fuel burn out of
// range, a wind that makes a leg impossible (the message names the leg), a
// negative cruise altitude, an invalid date, or a figure the magnetic model
// cannot give.
FlightPlan computePlan(std::vector<Waypoint> waypoints, const PlanOptions& options, const MagneticModel& model);

// The magnetic course straight from the departure to the destination, which
// the semicircular rule reads for the whole route: the initial true course
// less the model's declination at the departure on the decimal year. nullopt
// when the two lie too close together to have a course.
std::optional<double> directMagneticCourse(const Waypoint& departure, const Waypoint& destination, double year,
                                           const MagneticModel& model);

// The VFR semicircular altitude for a magnetic course (rounded to whole
// degrees; 0-179 odd thousands + 500 ft, 180-359 even thousands + 500 ft),
// the lowest one at least 1,500 ft above highestElevationFt.
int semicircularCruiseFt(double magneticCourse, double highestElevationFt);

// Each beacon's range and each leg's coverage at the plan's cruise altitude
// under the plan's range model, with the total; computePlan calls it.
void applyCoverage(FlightPlan& plan);

// The ICAO route: the departure, each beacon preceded by DCT, the
// destination; DCT alone between the airports when there is no beacon.
std::string icaoRoute(const std::vector<Waypoint>& waypoints);

// The route for item 15 of an ICAO flight plan: each beacon preceded by DCT,
// without the airports; DCT alone when there is no beacon. Route parsers
// take every other word for an airway, so the airports must not be there.
std::string icaoRouteItem15(const std::vector<Waypoint>& waypoints);

// An angle in degrees brought into [0, 360).
double normalizeDegrees(double angle);

}  // namespace flightplan
