// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/plan/DatabaseLocation.h"

#include "data/ConnectionString.h"
#include "base/DataFiles.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace {

namespace fs = std::filesystem;

bool SamePlace(const std::string& a, const std::string& b)
{
    std::error_code ec1, ec2;
    const fs::path pa = fs::weakly_canonical(a, ec1), pb = fs::weakly_canonical(b, ec2);
    return ec1 || ec2 ? a == b : pa == pb;
}

// Anything under the name counts, a dangling link or a directory too: the
// user meant that one, and opening it says what is wrong with it.
bool Exists(const std::string& path)
{
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

}  // namespace

DatabaseLocation FindPlannerDatabase()
{
    std::vector<std::string> candidates{NAVDB_FILE_NAME};
    if (const std::string user = base::userDir(base::UserDir::Data); !user.empty())
        candidates.push_back(user + "/meridane/" + NAVDB_FILE_NAME);
    // Named without "..", as the user would write them.
    for (const std::string& dir : base::installedDataDirs())
        candidates.push_back((fs::path(dir).lexically_normal() / NAVDB_FILE_NAME).string());

    DatabaseLocation location;
    for (const std::string& candidate : candidates) {
        bool repeated = false;
        for (const std::string& earlier : location.tried)
            repeated = repeated || SamePlace(earlier, candidate);
        if (repeated)
            continue;
        std::error_code ec;
        location.tried.push_back(candidate == NAVDB_FILE_NAME ? fs::absolute(candidate, ec).string() : candidate);
        if (Exists(candidate)) {
            location.path = candidate;
            break;
        }
    }
    return location;
}

std::string ConnectStringFor(const std::string& path)
{
    const std::string connect = NAVDB_CONNECT_STRING;
    const std::string key = std::string("DBQ=") + NAVDB_FILE_NAME + ";";
    const std::size_t at = connect.find(key);
    if (path.find('}') != std::string::npos)
        throw std::runtime_error("cannot open the navigation database " + path +
                                 ": a name with '}' cannot be handed to the database driver");
    // Braces keep a ';' in the name from ending the value.
    const std::string value = path.find_first_of(";{") == std::string::npos ? path : "{" + path + "}";
    return connect.substr(0, at) + "DBQ=" + value + ";" + connect.substr(at + key.size());
}
