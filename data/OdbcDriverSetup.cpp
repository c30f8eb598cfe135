// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/OdbcDriverSetup.h"

#include "base/DataFiles.h"

#include <odbcinst.h>
#include <strings.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

bool IsRegistered(const std::string& driverName)
{
    char path[PATH_MAX] = "";
    int n = SQLGetPrivateProfileString(driverName.c_str(), "Driver", "", path, sizeof path,
                                       "ODBCINST.INI");
    return n > 0 && path[0] != '\0';
}

bool HasRegistration(const std::string& dir)
{
    return !dir.empty() && access((dir + "/odbcinst.ini").c_str(), R_OK) == 0;
}

}  // namespace

std::string EnsureDriverRegistered(const std::string& driverName)
{
    if (driverName.empty() || IsRegistered(driverName))
        return {};

    std::vector<std::string> candidates;
    if (const char* dir = std::getenv("MERIDANE_ODBCSYSINI"))
        candidates.emplace_back(dir);
    for (const std::string& dir : base::installedDataDirs())
        candidates.push_back(dir + "/odbc");
    candidates.emplace_back(MERIDANE_ODBC_DIR_BUILD);

    for (const std::string& dir : candidates) {
        if (HasRegistration(dir)) {
            setenv("ODBCSYSINI", dir.c_str(), 1);
            return dir;
        }
    }
    return {};
}

std::string ConnectKeyword(const std::string& connect, const std::string& keyword)
{
    std::size_t pos = 0;
    while (pos < connect.size()) {
        std::size_t eq = connect.find('=', pos);
        if (eq == std::string::npos)
            break;
        std::string key = connect.substr(pos, eq - pos);
        std::size_t valueStart = eq + 1;
        std::size_t valueEnd;
        std::string value;
        if (valueStart < connect.size() && connect[valueStart] == '{') {
            valueEnd = connect.find('}', valueStart);
            if (valueEnd == std::string::npos)
                valueEnd = connect.size();
            value = connect.substr(valueStart + 1, valueEnd - valueStart - 1);
            valueEnd = connect.find(';', valueEnd);
        } else {
            valueEnd = connect.find(';', valueStart);
            value = connect.substr(valueStart, valueEnd == std::string::npos
                                                   ? std::string::npos
                                                   : valueEnd - valueStart);
        }
        if (strcasecmp(key.c_str(), keyword.c_str()) == 0)
            return value;
        if (valueEnd == std::string::npos)
            break;
        pos = valueEnd + 1;
    }
    return {};
}
