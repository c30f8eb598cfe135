// SPDX-License-Identifier: GPL-3.0-or-later
#include "flightplan/PlanCalculation.h"

#include "flightplan/MagneticModel.h"
#include "base/NumberText.h"
#include "base/Units.h"
#include "flightplan/PlanError.h"
#include "flightplan/WindTriangle.h"

#include "coverage/LegCoverage.h"

#include <GeographicLib/Geodesic.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace flightplan {

namespace {

constexpr double METRES_PER_NM = base::METRES_PER_NM;

struct Geodesic {
    double distanceNm;
    double azimuth;  // initial, at the first point
};

Geodesic inverse(const Waypoint& a, const Waypoint& b)
{
    double metres = 0.0, azimuth1 = 0.0, azimuth2 = 0.0;
    GeographicLib::Geodesic::WGS84().Inverse(a.latitude, a.longitude, b.latitude, b.longitude, metres, azimuth1,
                                             azimuth2);
    return Geodesic{metres / METRES_PER_NM, normalizeDegrees(azimuth1)};
}

// A beacon's radials follow its own declination; a beacon whose declination
// the database lacks falls back on the model's at the station.
double stationDeclination(const Waypoint& beacon, const MagneticModel& model, double year)
{
    return beacon.declination ? *beacon.declination : model.declination(beacon.latitude, beacon.longitude, year);
}

void validate(const std::vector<Waypoint>& waypoints, const PlanOptions& options)
{
    if (waypoints.size() < 2)
        throw PlanError("A flight plan needs a departure and a destination airport.");
    if (waypoints.front().kind != WaypointKind::Airport || waypoints.back().kind != WaypointKind::Airport)
        throw PlanError("A flight plan must start and end at an airport.");
    for (const Waypoint& point : waypoints) {
        if (!std::isfinite(point.latitude) || !std::isfinite(point.longitude) || std::fabs(point.latitude) > 90.0 ||
            std::fabs(point.longitude) > 180.0)
            throw PlanError("The position of " + point.ident + " (" + point.name + ") is not a place on Earth.");
    }
    if (!(options.trueAirspeedKt >= MIN_TRUE_AIRSPEED_KT && options.trueAirspeedKt <= MAX_TRUE_AIRSPEED_KT))
        throw PlanError("The true airspeed must be " + base::formatFixed(MIN_TRUE_AIRSPEED_KT, 0) + " to " +
                        base::formatFixed(MAX_TRUE_AIRSPEED_KT, 0) + " knots.");
    if (options.wind && (!(options.wind->fromTrueDeg >= 0.0 && options.wind->fromTrueDeg <= 360.0) ||
                         !(options.wind->speedKt >= 0.0 && options.wind->speedKt <= MAX_WIND_SPEED_KT)))
        throw PlanError("The wind must blow from 0 to 360 degrees at a speed of 0 to " +
                        base::formatFixed(MAX_WIND_SPEED_KT, 0) + " knots.");
    if (options.fuelBurnPerHour && (!(*options.fuelBurnPerHour >= 0.0) || !std::isfinite(*options.fuelBurnPerHour)))
        throw PlanError("The fuel burn must be a number of 0 or more per hour.");
    if (options.cruiseFt && *options.cruiseFt < 0)
        throw PlanError("The cruise altitude must not be negative.");
    if (!isValidDate(options.date))
        throw PlanError("The date of the flight plan is not a calendar day.");
}

// Heading, ground speed, time and fuel of a leg whose courses are known.
void flyThroughWind(Leg& leg, const FlightPlan& plan, const Waypoint& from, const Waypoint& to)
{
    // A leg too short to have a course has none to hold: it takes (next to)
    // no time at the airspeed, whatever the wind.
    WindCorrection correction{0.0, plan.trueAirspeedKt};
    if (plan.wind && leg.courseTrue) {
        const std::optional<WindCorrection> solved =
            correctForWind(*leg.courseTrue, plan.trueAirspeedKt, *plan.wind);
        if (!solved) {
            long course = std::lround(*leg.courseTrue) % 360;
            char courseText[8];
            std::snprintf(courseText, sizeof courseText, "%03ld", course <= 0 ? course + 360 : course);
            throw PlanError("The wind " + windText(*plan.wind) + " makes the leg from " + from.ident + " to " +
                            to.ident + " impossible at a true airspeed of " + base::formatFixed(plan.trueAirspeedKt, 0) +
                            " kt: on its true course of " + courseText +
                            " it blows across or against the aircraft so hard that less than " +
                            base::formatFixed(MIN_GROUND_SPEED_KT, 0) + " kt over the ground remains.");
        }
        correction = *solved;
    }
    leg.windCorrectionDeg = correction.correctionDeg;
    if (leg.courseTrue && leg.courseMagnetic) {
        const double declination = *leg.courseTrue - *leg.courseMagnetic;
        leg.headingTrue = normalizeDegrees(*leg.courseTrue + correction.correctionDeg);
        leg.headingMagnetic = normalizeDegrees(*leg.headingTrue - declination);
    }
    leg.groundSpeedKt = correction.groundSpeedKt;
    leg.eteMinutes = leg.distanceNm / leg.groundSpeedKt * 60.0;
    if (plan.fuelBurnPerHour)
        leg.fuel = *plan.fuelBurnPerHour * leg.eteMinutes / 60.0;
}

}  // namespace

double normalizeDegrees(double angle)
{
    double result = std::fmod(angle, 360.0);
    if (result < 0.0)
        result += 360.0;
    return result >= 360.0 ? 0.0 : result;
}

std::optional<double> directMagneticCourse(const Waypoint& departure, const Waypoint& destination, double year,
                                           const MagneticModel& model)
{
    const Geodesic direct = inverse(departure, destination);
    if (direct.distanceNm < SHORTEST_LEG_WITH_COURSE_NM)
        return std::nullopt;
    return normalizeDegrees(direct.azimuth - model.declination(departure.latitude, departure.longitude, year));
}

int semicircularCruiseFt(double magneticCourse, double highestElevationFt)
{
    const int course = static_cast<int>(std::lround(normalizeDegrees(magneticCourse))) % 360;
    const bool odd = course < 180;
    const double floorFt = highestElevationFt + CRUISE_CLEARANCE_FT;
    long thousands = std::max(0L, static_cast<long>(std::ceil((floorFt - 500.0) / 1000.0)));
    if ((thousands % 2 == 1) != odd)
        ++thousands;
    return static_cast<int>(thousands * 1000 + 500);
}

std::string icaoRoute(const std::vector<Waypoint>& waypoints)
{
    if (waypoints.empty())
        return {};
    std::string route = waypoints.front().ident;
    for (std::size_t i = 1; i + 1 < waypoints.size(); ++i)
        route += " DCT " + waypoints[i].ident;
    if (waypoints.size() == 2)
        route += " DCT";
    if (waypoints.size() >= 2)
        route += " " + waypoints.back().ident;
    return route;
}

std::string icaoRouteItem15(const std::vector<Waypoint>& waypoints)
{
    std::string route;
    for (std::size_t i = 1; i + 1 < waypoints.size(); ++i)
        route += (route.empty() ? "DCT " : " DCT ") + waypoints[i].ident;
    return route.empty() ? "DCT" : route;
}

FlightPlan computePlan(std::vector<Waypoint> waypoints, const PlanOptions& options, const MagneticModel& model)
{
    validate(waypoints, options);
    const double year = decimalYear(options.date);

    FlightPlan plan;
    plan.waypoints = std::move(waypoints);
    plan.trueAirspeedKt = options.trueAirspeedKt;
    plan.wind = options.wind;
    plan.fuelBurnPerHour = options.fuelBurnPerHour;
    plan.date = options.date;
    double highestElevation = 0.0;
    bool anyElevation = false;
    for (const Waypoint& point : plan.waypoints) {
        if (point.elevationFt) {
            highestElevation = anyElevation ? std::max(highestElevation, *point.elevationFt) : *point.elevationFt;
            anyElevation = true;
        }
    }

    for (std::size_t i = 0; i + 1 < plan.waypoints.size(); ++i) {
        const Waypoint& from = plan.waypoints[i];
        const Waypoint& to = plan.waypoints[i + 1];
        const Geodesic outbound = inverse(from, to);

        Leg leg;
        leg.from = i;
        leg.to = i + 1;
        leg.distanceNm = outbound.distanceNm;
        if (leg.distanceNm >= SHORTEST_LEG_WITH_COURSE_NM) {
            leg.courseTrue = outbound.azimuth;
            leg.courseMagnetic =
                normalizeDegrees(outbound.azimuth - model.declination(from.latitude, from.longitude, year));
            if (from.kind == WaypointKind::Vor)
                leg.radialFrom = normalizeDegrees(outbound.azimuth - stationDeclination(from, model, year));
            if (to.kind == WaypointKind::Vor)
                leg.radialTo = normalizeDegrees(inverse(to, from).azimuth - stationDeclination(to, model, year));
            // An ADF's bearings are magnetic where the aircraft is; at the
            // station that is the variation there, not one set at the station.
            if (from.kind == WaypointKind::Ndb)
                leg.qdrFrom =
                    normalizeDegrees(outbound.azimuth - model.declination(from.latitude, from.longitude, year));
            if (to.kind == WaypointKind::Ndb)
                leg.qdmTo = normalizeDegrees(inverse(to, from).azimuth + 180.0 -
                                             model.declination(to.latitude, to.longitude, year));
        }
        flyThroughWind(leg, plan, from, to);
        const Waypoint* tuned = isBeacon(to.kind) ? &to : isBeacon(from.kind) ? &from : nullptr;
        if (tuned && tuned->frequency) {
            leg.frequency = tuned->frequency;
            leg.radio = tuned->kind == WaypointKind::Ndb ? Radio::Adf : Radio::Nav;
        }

        plan.totalNm += leg.distanceNm;
        plan.totalMinutes += leg.eteMinutes;
        plan.legs.push_back(leg);
    }

    // Without wind the average is the airspeed itself, not a quotient that
    // may differ in its last digit.
    plan.groundSpeedKt = plan.wind && plan.totalMinutes > 0.0 ? plan.totalNm / (plan.totalMinutes / 60.0)
                                                               : plan.trueAirspeedKt;
    if (plan.fuelBurnPerHour) {
        plan.fuelTotal = *plan.fuelBurnPerHour * plan.totalMinutes / 60.0;
        plan.fuelWithReserve = *plan.fuelTotal + *plan.fuelBurnPerHour * RESERVE_MINUTES / 60.0;
    }
    plan.cruiseGivenByUser = options.cruiseFt.has_value();
    if (options.minimumCruiseFt)
        highestElevation = std::max(highestElevation, *options.minimumCruiseFt - CRUISE_CLEARANCE_FT);
    if (options.cruiseFt) {
        plan.cruiseFt = *options.cruiseFt;
    } else {
        // The route's own direction sets the hemisphere, not that of its
        // first leg (which may be the half mile to a beacon on the field).
        // A route back to its own airport takes its first leg with a
        // direction; one that never leaves its airport is flown as if
        // eastbound.
        std::optional<double> course =
            directMagneticCourse(plan.waypoints.front(), plan.waypoints.back(), year, model);
        for (std::size_t i = 0; i < plan.legs.size() && !course; ++i)
            course = plan.legs[i].courseMagnetic;
        plan.cruiseFt = semicircularCruiseFt(course.value_or(0.0), highestElevation);
    }
    plan.route = icaoRoute(plan.waypoints);
    plan.routeItem15 = icaoRouteItem15(plan.waypoints);
    if (!model.isValidAt(year)) {
        plan.magneticNote = isoDateText(plan.date) + " lies outside the years of the magnetic model " + model.name() +
                            " (" + base::formatFixed(model.epoch(), 1) + " to " + base::formatFixed(model.validUntil(), 1) +
                            "): its magnetic figures are extrapolated";
    }
    plan.routeKind = options.routeKind;
    plan.rangeModel = options.rangeModel;
    // The listed route is the search's chain of VORs whatever was asked.
    plan.navaids = options.routeKind == RouteKind::Best ? options.navaids : coverage::Navaids::Vor;
    applyCoverage(plan);
    return plan;
}

void applyCoverage(FlightPlan& plan)
{
    for (Waypoint& point : plan.waypoints) {
        point.rangeNm.reset();
        point.missingFromSimulator = false;
        if (point.kind == WaypointKind::Vor) {
            point.rangeNm = coverage::stationRangeNm(point.serviceClass, point.elevationFt, point.simulatorRangeNm,
                                                     plan.cruiseFt, plan.rangeModel);
            point.missingFromSimulator = plan.rangeModel == coverage::RangeModel::Simulator && !point.simulatorRangeNm;
        } else if (point.kind == WaypointKind::Ndb) {
            point.rangeNm = coverage::ndbRangeNm(point.ndbClass, point.simulatorRangeNm, plan.rangeModel);
            point.missingFromSimulator = plan.rangeModel == coverage::RangeModel::Simulator && !point.simulatorRangeNm;
        }
    }
    plan.uncoveredNm = 0.0;
    for (Leg& leg : plan.legs) {
        const coverage::LegCoverage covered = coverage::legCoverage(
            leg.distanceNm, plan.waypoints[leg.from].rangeNm, plan.waypoints[leg.to].rangeNm);
        leg.uncoveredNm = covered.uncoveredNm;
        leg.uncoveredFromNm = covered.uncoveredFromNm;
        leg.changeoverNm = covered.changeoverNm;
        plan.uncoveredNm += covered.uncoveredNm;
    }
}

}  // namespace flightplan
