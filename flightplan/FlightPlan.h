// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coverage/StationRange.h"
#include "flightplan/CivilDate.h"
#include "flightplan/WindTriangle.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace flightplan {

enum class WaypointKind { Airport, Vor, Ndb };

// Which receiver a leg's frequency is tuned on: the NAV receiver (a VOR, in
// MHz) or the ADF (an NDB, in kHz).
enum class Radio { Nav, Adf };

inline bool isBeacon(WaypointKind kind) { return kind != WaypointKind::Airport; }

// One point of the plan as the navigation database gives it.
struct Waypoint {
    std::string ident;  // KJFK, MAD
    std::string name;
    WaypointKind kind = WaypointKind::Airport;
    double latitude = 0.0;   // degrees, north positive
    double longitude = 0.0;  // degrees, east positive
    // The radio frequency as the database writes it ("110.4"): a beacon's
    // own (a VOR's in MHz, an NDB's in kHz), an airport's ATIS; nullopt when
    // the database has none.
    std::optional<std::string> frequency;
    std::optional<double> elevationFt;
    // The declination a beacon's radials are aligned to, east positive;
    // nullopt when the database does not know it (and for airports).
    std::optional<double> declination;
    // A beacon's service class ('T', 'L', 'H'; 0 when the database does not
    // say, which counts as 'L') and the range a simulator gives it.
    char serviceClass = 0;
    std::optional<double> simulatorRangeNm;
    // The beacon's reception range at the plan's cruise altitude under the
    // plan's range model; nullopt for airports.
    std::optional<double> rangeNm;
    // Under simulator ranges, a beacon the simulator's data lacks: tuned
    // there it is silent, so its range is 0.
    bool missingFromSimulator = false;
    // An NDB's class (its rated range); VORs have serviceClass instead.
    coverage::NdbClass ndbClass = coverage::NdbClass::MH;
};

// Why a beacon missingFromSimulator has no range, as every output says it.
inline constexpr const char NOT_IN_SIMULATOR_TEXT[] = "not in the simulator's data";

// Below this a leg has no direction worth flying: two points a few hundred
// feet apart (an airport and the beacon on its field, one airport to itself)
// give an azimuth that is noise.
inline constexpr double SHORTEST_LEG_WITH_COURSE_NM = 0.05;

// One leg between consecutive waypoints. Angles are degrees in [0, 360);
// courses and radials are nullopt on a leg shorter than
// SHORTEST_LEG_WITH_COURSE_NM.
struct Leg {
    std::size_t from = 0;  // index into FlightPlan::waypoints
    std::size_t to = 0;
    double distanceNm = 0.0;                // geodesic on WGS 84
    std::optional<double> courseTrue;      // initial geodesic azimuth at `from`
    std::optional<double> courseMagnetic;  // courseTrue less the model's declination at `from`
    // The radial of the beacon the leg starts at that it flies outbound on;
    // nullopt when the leg starts at an airport.
    std::optional<double> radialFrom;
    // The radial of the beacon the leg ends at that it flies inbound on (the
    // course to set is its reciprocal); nullopt when it ends at an airport.
    std::optional<double> radialTo;
    // For an NDB the pilot holds a magnetic bearing on the ADF instead: from
    // the station the leg starts at (QDR, its outbound course) or to the one
    // it ends at (QDM, the course on arrival), both against the magnetic
    // variation at the station.
    std::optional<double> qdrFrom;
    std::optional<double> qdmTo;
    // How the leg is flown through the wind; with no wind the heading is the
    // course and the ground speed the true airspeed.
    double windCorrectionDeg = 0.0;  // positive to the right
    // nullopt where the leg has no course (too short to have one).
    std::optional<double> headingTrue;
    std::optional<double> headingMagnetic;  // headingTrue less the declination courseMagnetic uses
    double groundSpeedKt = 0.0;
    double eteMinutes = 0.0;         // distanceNm at groundSpeedKt
    // Fuel for the leg, in the unit of the burn per hour; nullopt without one.
    std::optional<double> fuel;
    // What to tune for the leg: the beacon it flies to, else the beacon it
    // leaves; nullopt between two airports or when that beacon has none.
    std::optional<std::string> frequency;
    // The receiver that frequency is tuned on; nullopt without a frequency.
    std::optional<Radio> radio;
    // How much of the leg neither end's beacon can be received on, and
    // where that stretch begins, from the leg's start.
    double uncoveredNm = 0.0;
    double uncoveredFromNm = 0.0;
    // Where to tune from the beacon behind to the one ahead, from the leg's
    // start; nullopt unless both ends are beacons.
    std::optional<double> changeoverNm;
};

// The chain of the route search, or the route that is covered best.
enum class RouteKind { Listed, Best };

// A route made flyable: the departure airport, the beacons in order and the
// destination airport, with the legs between them. Built by computePlan
// (PlanCalculation.h); every exporter and the leg table read only this.
struct FlightPlan {
    std::vector<Waypoint> waypoints;  // departure first, destination last
    std::vector<Leg> legs;            // waypoints.size() - 1 of them
    double totalNm = 0.0;
    double totalMinutes = 0.0;
    double trueAirspeedKt = 110.0;
    std::optional<Wind> wind;  // nullopt: still air
    // The average over the route (totalNm in totalMinutes); the true airspeed
    // when there is no wind.
    double groundSpeedKt = 110.0;
    // Per hour, in whatever unit the pilot counts fuel; nullopt: no fuel figures.
    std::optional<double> fuelBurnPerHour;
    std::optional<double> fuelTotal;
    std::optional<double> fuelWithReserve;  // fuelTotal and 45 minutes more
    int cruiseFt = 0;
    bool cruiseGivenByUser = false;
    std::string route;  // ICAO route: KJFK DCT MAD DCT PUT DCT BOS KBOS
    // The route as item 15 of a filed flight plan takes it, the airports
    // left to items 13 and 16: DCT MAD DCT PUT DCT BOS
    std::string routeItem15;
    CivilDate date;     // the date the magnetic figures hold for
    // Said when the date lies outside the years the magnetic model holds
    // for, so its figures are extrapolated; "" otherwise.
    std::string magneticNote;
    RouteKind routeKind = RouteKind::Listed;
    coverage::RangeModel rangeModel = coverage::RangeModel::Standard;
    coverage::Navaids navaids = coverage::Navaids::Vor;  // what the best route may fly by
    double uncoveredNm = 0.0;  // summed over the legs

    const Waypoint& departure() const { return waypoints.front(); }
    const Waypoint& destination() const { return waypoints.back(); }
};

}  // namespace flightplan
