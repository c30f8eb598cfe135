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
    std::multiset<Identity> files;  // once for each holder
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

}  // namespace

ProtectedFile::ProtectedFile(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return;
    m_identity.emplace(info.st_dev, info.st_ino);
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.files.insert(*m_identity);
}

ProtectedFile::~ProtectedFile()
{
    if (!m_identity)
        return;
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    const auto held = r.files.find(*m_identity);
    if (held != r.files.end())
        r.files.erase(held);
}

ProtectedFile::ProtectedFile(ProtectedFile&& other) noexcept : m_identity(std::exchange(other.m_identity, std::nullopt))
{
}

ProtectedFile& ProtectedFile::operator=(ProtectedFile&& other) noexcept
{
    if (this != &other) {
        ProtectedFile released(std::move(*this));
        m_identity = std::exchange(other.m_identity, std::nullopt);
    }
    return *this;
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
