// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ProgramPath.h"

#include <sys/stat.h>
#include <unistd.h>

namespace base {

namespace {

bool isExecutableFile(const std::string& candidate)
{
    struct stat info {};
    return ::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(candidate.c_str(), X_OK) == 0;
}

}  // namespace

std::string findProgramOnPath(const std::string& program, const char* pathList)
{
    if (!pathList || program.empty() || program.find('/') != std::string::npos)
        return {};
    const std::string folders = pathList;
    std::string::size_type start = 0;
    while (start <= folders.size()) {
        std::string::size_type end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        std::string folder = folders.substr(start, end - start);
        if (!folder.empty() && folder.front() == '/') {
            if (folder.back() != '/')
                folder += '/';
            std::string candidate = folder + program;
            if (isExecutableFile(candidate))
                return candidate;
        }
        start = end + 1;
    }
    return {};
}

}  // namespace base
