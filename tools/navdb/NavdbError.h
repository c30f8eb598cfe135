// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/common/CommandLineOptions.h"

#include <stdexcept>
#include <string>

namespace navdb {

// A failure that stops the import: an input that cannot be read, a column the
// import depends on, the output that cannot be written. what() is shown to the
// user as it is, so it names the file, column or path concerned.
class NavdbError : public std::runtime_error {
public:
    explicit NavdbError(const std::string& message) : std::runtime_error(message) {}
};

// The command line itself is wrong; the caller answers with the usage text.
using UsageError = tools::UsageError;

}  // namespace navdb
