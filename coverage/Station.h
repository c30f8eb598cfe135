// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace coverage {

// One VOR-family station as the best-route search and the plan need it.
struct Station {
    std::int64_t id = 0;  // navs.ID
    std::string ident;
    std::string name;
    double latitude = 0.0;   // degrees, north positive
    double longitude = 0.0;  // degrees, east positive
    std::optional<double> elevationFt;
    std::optional<std::string> frequency;  // as the database writes it
    std::optional<double> declination;     // the station's own, east positive
    // The service class: 'T' terminal, 'L' low, 'H' high.
    char serviceClass = 'L';
    // The range a flight simulator gives the station, where known.
    std::optional<double> simulatorRangeNm;
};

}  // namespace coverage
