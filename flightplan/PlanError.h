// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

namespace flightplan {

// Every failure of the flight plan layer: a magnetic model file that cannot
// be read, a plan the database cannot give, a file that cannot be written.
// what() is the sentence shown to the user, so it names the file, airport or
// beacon concerned and the cause.
class PlanError : public std::runtime_error {
public:
    explicit PlanError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace flightplan
