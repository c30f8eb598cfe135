// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/DataFiles.h"

#include "base/ExecutableDir.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <vector>

std::vector<std::string> InstalledDataDirs()
{
    std::vector<std::string> dirs;
    const std::string exeDir = ExecutableDir();
    if (!exeDir.empty())
        dirs.push_back(exeDir + "/../share/meridane");
    dirs.emplace_back(MERIDANE_DATA_DIR_INSTALL);
    return dirs;
}

std::string FindDataFile(const std::string& relative)
{
    std::vector<std::string> dirs;
    if (const char* dir = std::getenv("MERIDANE_DATA_DIR"); dir && *dir)
        dirs.emplace_back(dir);
    for (const std::string& dir : InstalledDataDirs())
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
