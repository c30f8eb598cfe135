// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flightplan/FlightPlan.h"
#include "follow/LegProgress.h"

#include <cstddef>
#include <optional>
#include <string>

namespace follow {

// A VOR's full-scale needle deflection and the angle each dot stands for.
inline constexpr double CDI_FULL_SCALE_DEG = 10.0;
inline constexpr double CDI_DEG_PER_DOT = 2.0;
// Closer than this the radial is noise (the cone of confusion above a
// beacon): no radial, no needle, the flag shows neither TO nor FROM.
inline constexpr double OVER_STATION_NM = 0.05;
// Below this ground speed (taxiing, parked) no time to go is worth showing.
inline constexpr double SLOWEST_FOR_TIME_KT = 1.0;

enum class ToFrom { To, From, Off };
const char* toFromText(ToFrom flag);  // "TO", "FROM", "OFF"

// What a VOR receiver shows at a position, tuned to a station (its radials
// aligned to `declination`, east positive) with the OBS set to `obsDeg`.
struct VorReading {
    std::optional<double> radial;  // magnetic, [0, 360); nullopt over the station
    ToFrom toFrom = ToFrom::Off;
    // The needle in degrees, clamped to ±CDI_FULL_SCALE_DEG, positive when
    // the course lies to the right (fly right); nullopt over the station.
    std::optional<double> deflectionDeg;
    std::optional<double> cdiDots;  // deflectionDeg / CDI_DEG_PER_DOT
    double distanceNm = 0.0;        // from the station, on the ground
};
VorReading readVor(const GeoPoint& station, double declination, double obsDeg, const GeoPoint& position);

// The beacon to tune on a leg at a point along it, and the course to set.
struct StationTuning {
    std::size_t waypoint = 0;  // index into FlightPlan::waypoints
    std::string ident;
    std::optional<std::string> frequency;  // as the database writes it
    // The radial flown outbound, or the reciprocal of the one flown inbound.
    double courseDeg = 0.0;
    double declination = 0.0;  // the station's own, as the plan's radials use
    bool ahead = false;        // the beacon the leg flies to
    // An NDB, tuned on the ADF (frequency in kHz): courseDeg is then the
    // bearing held on it (QDR outbound, QDM inbound) and there is no radial.
    bool ndb = false;
};

// The beacon behind before the leg's changeover point, the one ahead from
// it on; a leg with one beacon end has that one; nullopt when neither end
// is a beacon or the leg has no course.
std::optional<StationTuning> stationFor(const flightplan::FlightPlan& plan, std::size_t leg, double alongNm);

// Everything the pilot reads about the active leg at one moment.
struct NavStrip {
    LegProgress progress;
    std::optional<StationTuning> station;
    VorReading vor;                     // against station->courseDeg; empty without a station
    std::optional<double> eteMinutes;  // progress.toGoNm (0 once past) at groundSpeedKt
};
NavStrip navStrip(const flightplan::FlightPlan& plan, std::size_t leg, const GeoPoint& position,
                  double groundSpeedKt);

// The frequency text of the database ("114.5") in MHz; nullopt when it is
// no number a NAV receiver tunes (108.00 to 117.95).
std::optional<double> navFrequencyMhz(const std::string& text);
// An NDB's frequency as an ADF takes it, in kHz (190 to 1750); nullopt
// for anything else.
std::optional<double> adfFrequencyKhz(const std::string& text);

}  // namespace follow
