// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace coverage {

// Which reception range a station is given: the published service volume
// limited by the radio horizon, or what a flight simulator uses.
enum class RangeModel { Standard, Simulator };

const char* rangeModelName(RangeModel model);  // "standard", "simulator"
std::optional<RangeModel> parseRangeModel(std::string_view text);

// The service volume of a class ('T', 'L', 'H'; anything else counts as
// 'L') at a height above the station, in nm.
double serviceVolumeNm(char serviceClass, double heightFt);

// The distance at which an aircraft at heightFt above the station still
// sees it over the curve of the earth; 0 at or below the station.
double radioHorizonNm(double heightFt);

// The longest range any real station is given (X-Plane's data gives one
// 500 nm, most 25 to 200): the importer refuses longer ones and the planner
// reads nothing longer, so that a damaged figure cannot pair every station
// of the world with every other.
inline constexpr double kLongestStationRangeNm = 500.0;

// What a station of this class, at this elevation (unknown counts as sea
// level), can be received at from altitudeFt: the lesser of service volume
// and radio horizon under the standard model; under the simulator model the
// simulator's own range, at most kLongestStationRangeNm, and 0 for a station
// the simulator's data lacks (simulatorRangeNm nullopt): tuned there, it is
// silent.
double stationRangeNm(char serviceClass, std::optional<double> elevationFt, std::optional<double> simulatorRangeNm,
                      double altitudeFt, RangeModel model);

}  // namespace coverage
