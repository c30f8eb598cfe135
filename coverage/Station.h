// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace coverage {

enum class StationKind { Vor, Ndb };

// An NDB's class by its power: a compass locator (15 nm), MH (25 nm),
// H (50 nm) and HH (75 nm).
enum class NdbClass { Locator, MH, H, HH };

// One VOR-family station or NDB as the best-route search and the plan need
// it.
struct Station {
    std::int64_t id = 0;  // navs.ID
    std::string ident;
    std::string name;
    double latitude = 0.0;   // degrees, north positive
    double longitude = 0.0;  // degrees, east positive
    std::optional<double> elevationFt;
    StationKind kind = StationKind::Vor;
    // As the database writes it: MHz for a VOR, kHz for an NDB.
    std::optional<std::string> frequency;
    std::optional<double> declination;     // the station's own, east positive
    // A VOR's service class: 'T' terminal, 'L' low, 'H' high.
    char serviceClass = 'L';
    NdbClass ndbClass = NdbClass::MH;  // an NDB's
    // The range a flight simulator gives the station, where known.
    std::optional<double> simulatorRangeNm;
};

}  // namespace coverage
