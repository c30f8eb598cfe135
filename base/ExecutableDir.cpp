// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ExecutableDir.h"

#include <unistd.h>

#include <climits>

namespace base {

std::string executableDir()
{
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return {};
    std::string exe(buf, static_cast<std::size_t>(n));
    return exe.substr(0, exe.rfind('/'));
}

}  // namespace base
