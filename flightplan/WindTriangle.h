// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace flightplan {

// The wind aloft as forecasts give it: the true direction it blows from and
// its speed.
struct Wind {
    double fromTrueDeg = 0.0;  // 0 to 360; 0 and 360 are both north
    double speedKt = 0.0;      // not negative
};

// The strongest wind taken: well beyond any jet stream's, yet with figures
// that print.
inline constexpr double MAX_WIND_SPEED_KT = 400.0;
// Slower than this over the ground a leg cannot be flown: its time would
// leave every clock (the same floor as the airspeed's).
inline constexpr double MIN_GROUND_SPEED_KT = 1.0;

// How to hold a true course through a wind.
struct WindCorrection {
    double correctionDeg = 0.0;  // added to the course to get the heading; positive to the right
    double groundSpeedKt = 0.0;
};

// The wind triangle for a true course flown at a true airspeed. nullopt when
// the wind makes the course impossible: its cross component reaches the
// airspeed, or it leaves less than MIN_GROUND_SPEED_KT over the ground.
std::optional<WindCorrection> correctForWind(double courseTrue, double trueAirspeedKt, const Wind& wind);

// "DDD/SS" (direction from, speed in knots; decimals allowed, blanks around
// the parts ignored). nullopt for anything else, a direction outside 0-360 or
// a speed outside 0 to MAX_WIND_SPEED_KT.
std::optional<Wind> parseWind(std::string_view text);

// "270/25" with whole numbers, as pilots write a wind.
std::string windText(const Wind& wind);

}  // namespace flightplan
