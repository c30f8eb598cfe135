// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/DataFiles.h"

#include "base/ExecutableDir.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace base {

std::vector<std::string> installedDataDirs()
{
    std::vector<std::string> dirs;
    const std::string exeDir = executableDir();
    if (!exeDir.empty())
        dirs.push_back(exeDir + "/../share/meridane");
    dirs.emplace_back(MERIDANE_DATA_DIR_INSTALL);
    return dirs;
}

std::string userDir(UserDir which)
{
    const bool data = which == UserDir::Data;
    if (const char* dir = std::getenv(data ? "XDG_DATA_HOME" : "XDG_CACHE_HOME"); dir && dir[0] == '/')
        return dir;
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + (data ? "/.local/share" : "/.cache");
    return {};
}

std::string findDataFile(const std::string& relative)
{
    std::vector<std::string> dirs;
    if (const char* dir = std::getenv("MERIDANE_DATA_DIR"); dir && *dir)
        dirs.emplace_back(dir);
    for (const std::string& dir : installedDataDirs())
        dirs.push_back(dir);
    dirs.emplace_back(MERIDANE_DATA_DIR_SOURCE);

    std::string tried;
    for (const std::string& dir : dirs) {
        const std::string path = dir + "/" + relative;
        std::error_code ec;
        if (std::filesystem::is_regular_file(path, ec))
            return path;
        tried += "\n  " + dir;
    }
    throw std::runtime_error("The data file " + relative +
                             " is missing; it was looked for in:" + tried);
}

}  // namespace base
