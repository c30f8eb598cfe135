// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Standard output of a shell command, and its wait status when asked for.
std::string CommandOutput(const std::string& command, int* status = nullptr);
