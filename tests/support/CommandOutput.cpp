// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/CommandOutput.h"

#include <cstdio>

std::string CommandOutput(const std::string& command, int* status)
{
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, n);
    const int result = pclose(pipe);
    if (status)
        *status = result;
    return output;
}
