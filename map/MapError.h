// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

namespace map {

// A map that cannot be made: outlines that cannot be read, a file that cannot
// be written. what() is shown to the user as it is, so it names the file.
class MapError : public std::runtime_error {
public:
    explicit MapError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace map
