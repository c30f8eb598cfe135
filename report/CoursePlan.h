// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// One airport as the report shows it; every value is the text the window holds.
struct ReportAirport {
    std::string name, latitude, longitude, atis, elevation;
};

// Everything course.txt shows, already as texts.
struct CoursePlan {
    ReportAirport departure, destination;
    // Rows of 4 texts: Runway #, Length, Type, ILS Frequency.
    std::vector<std::vector<std::string>> departureRunways;
    std::vector<std::vector<std::string>> destinationRunways;
    // Rows of 7 texts: Name, Frequency, Latitude, Longitude, Elevation,
    // Dist. from Dept., Dist. from Dest.
    std::vector<std::vector<std::string>> route;
};
