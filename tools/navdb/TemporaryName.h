// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

namespace navdb {

// An import writes "<name>.tmp-<pid>-XXXXXX" beside its output, <name> being
// the output's file name and <pid> the importing process, so that a later
// import can tell a file left by a process that is gone from one that
// another import is still writing.

// Everything before mkstemp's six characters. Where the whole name would not
// fit in nameMax bytes, <name> is cut (never inside a UTF-8 character) and a
// hash of the full name appended; the cut is the same for every pid.
std::string temporaryPrefix(const std::string& fileName, long pid, std::size_t nameMax);

// Removes the regular files in directory named as above for fileName whose
// process no longer exists. Best effort: what cannot be read or removed stays.
void removeStaleTemporaryFiles(const std::string& directory, const std::string& fileName, std::size_t nameMax);

}  // namespace navdb
