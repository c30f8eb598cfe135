// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/common/ProgramOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace tools {

bool outputArrived(std::ostream& out, std::ostream& err, const std::string& program, const std::string& note)
{
    errno = 0;
    bool arrived = static_cast<bool>(out.flush());
    // std::cout writes through C's stdout, whose buffer and error flag the
    // stream does not see.
    if (&out == &std::cout)
        arrived = arrived && std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (!arrived) {
        err << program << ": cannot write to standard output"
            << (errno != 0 ? std::string(": ") + std::strerror(errno) : std::string()) << note << '\n';
    }
    return arrived;
}

std::string messageLine(const std::exception& error)
{
    std::string text = error.what();
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

}  // namespace tools
