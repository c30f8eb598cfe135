// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace base {

// The full path of the first executable regular file called program in the
// folders of pathList (a PATH value), or an empty string. Only absolute
// folders count: an empty or relative element would mean the working
// directory, where a download could have planted a program of that name.
// program itself must be a bare name.
std::string findProgramOnPath(const std::string& program, const char* pathList);

}  // namespace base
