// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

namespace update {

// A failure that stops an update of the navigation data. what() is shown to
// the user as it is: it names the file concerned and the cause.
class UpdateError : public std::runtime_error {
public:
    explicit UpdateError(const std::string& message) : std::runtime_error(message) {}
};

// The user stopped the update (Ctrl-C, Cancel); nothing was changed.
class UpdateCancelled : public UpdateError {
public:
    UpdateCancelled() : UpdateError("the update was cancelled; the navigation database is unchanged") {}
};

}  // namespace update
