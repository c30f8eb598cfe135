// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ProtectedFiles.h"

#include <mutex>
#include <set>
#include <utility>

namespace base {

namespace {

using Identity = std::pair<dev_t, ino_t>;

struct Registry {
    std::mutex mutex;
    std::set<Identity> files;
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

}  // namespace

void protectFile(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return;
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.files.emplace(info.st_dev, info.st_ino);
}

bool isProtectedFile(const struct stat& info)
{
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    return r.files.count({info.st_dev, info.st_ino}) != 0;
}

bool isProtectedPath(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && isProtectedFile(info);
}

}  // namespace base
