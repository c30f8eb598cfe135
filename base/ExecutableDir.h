// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace base {

// The directory holding the running program's executable, so that what an
// install puts beside it (../share/meridane) is found wherever the install
// lives. "" when the system does not say.
std::string executableDir();

}  // namespace base
