// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/stat.h>

#include <string>

namespace base {

// Files no output of this process may replace or write into: whoever opens
// the navigation database registers it here, and the writers (WholeFile.h,
// the course report) refuse a target that is the same file by device and
// inode, whatever name or link leads to it. A path that cannot be examined
// is not registered.
void protectFile(const std::string& path);

// True when info (from stat, links followed) is a protected file.
bool isProtectedFile(const struct stat& info);

// True when the file path names, links followed, is protected.
bool isProtectedPath(const std::string& path);

// The cause given when a protected file is refused.
inline const char* protectedFileCause()
{
    return "it is the navigation database in use";
}

}  // namespace base
