// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coverage/Station.h"

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
inline constexpr double LONGEST_STATION_RANGE_NM = 500.0;

// What a station of this class, at this elevation (unknown counts as sea
// level), can be received at from altitudeFt: the lesser of service volume
// and radio horizon under the standard model; under the simulator model the
// simulator's own range, at most LONGEST_STATION_RANGE_NM, and 0 for a station
// the simulator's data lacks (simulatorRangeNm nullopt): tuned there, it is
// silent.
double stationRangeNm(char serviceClass, std::optional<double> elevationFt, std::optional<double> simulatorRangeNm,
                      double altitudeFt, RangeModel model);

// An NDB's rated range: its ground wave follows the curve of the earth, so
// neither the altitude nor the horizon limits it.
double ndbServiceRangeNm(NdbClass ndbClass);
const char* ndbClassName(NdbClass ndbClass);  // "COMLO", "MH", "H", "HH"
std::optional<NdbClass> parseNdbClass(std::string_view text);

// What an NDB of this class can be received at: its rated range under the
// standard model; under the simulator model the simulator's own, and
// nothing at all where the simulator does not have the station.
double ndbRangeNm(NdbClass ndbClass, std::optional<double> simulatorRangeNm, RangeModel model);

// The range of a station of either kind at altitudeFt.
double stationRangeNm(const Station& station, double altitudeFt, RangeModel model);

// Which stations a best route may fly by: VORs alone, or NDBs beside them.
enum class Navaids { Vor, VorNdb };
const char* navaidsName(Navaids navaids);  // "vor", "vor+ndb"
std::optional<Navaids> parseNavaids(std::string_view text);

}  // namespace coverage
