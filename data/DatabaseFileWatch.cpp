// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/DatabaseFileWatch.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <utility>

namespace {

constexpr off_t SQLITE_VERSION_OFFSET = 24;

bool SameTime(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

}  // namespace

bool DatabaseFileWatch::Stamp::operator==(const Stamp& other) const
{
    return status.st_size == other.status.st_size && SameTime(status.st_mtim, other.status.st_mtim) &&
           SameTime(status.st_ctim, other.status.st_ctim) && version == other.version;
}

DatabaseFileWatch::DatabaseFileWatch(const std::string& path)
    : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC))
{
    if (m_fd >= 0 && !Read(m_stamp)) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (m_fd >= 0) {
        char* absolute = ::realpath(path.c_str(), nullptr);
        m_path = absolute != nullptr ? absolute : "";
        std::free(absolute);
    }
}

DatabaseFileWatch::~DatabaseFileWatch()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

DatabaseFileWatch::DatabaseFileWatch(DatabaseFileWatch&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_path(std::move(other.m_path)), m_stamp(other.m_stamp)
{
}

DatabaseFileWatch& DatabaseFileWatch::operator=(DatabaseFileWatch&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
        m_path = std::move(other.m_path);
        m_stamp = other.m_stamp;
    }
    return *this;
}

bool DatabaseFileWatch::Read(Stamp& stamp) const
{
    if (::fstat(m_fd, &stamp.status) != 0)
        return false;
    stamp.version.fill(0);
    // A file shorter than a header (just emptied) reads as zeros there.
    return ::pread(m_fd, stamp.version.data(), stamp.version.size(), SQLITE_VERSION_OFFSET) >= 0;
}

bool DatabaseFileWatch::Changed() const
{
    if (m_fd < 0)
        return false;
    Stamp now;
    return !Read(now) || !(now == m_stamp);
}

bool DatabaseFileWatch::Identity(DatabaseFileIdentity& identity) const
{
    if (m_fd < 0 || m_path.empty() || Changed())
        return false;
    identity.path = m_path;
    identity.device = static_cast<std::uint64_t>(m_stamp.status.st_dev);
    identity.inode = static_cast<std::uint64_t>(m_stamp.status.st_ino);
    identity.size = static_cast<std::int64_t>(m_stamp.status.st_size);
    identity.modifiedSeconds = static_cast<std::int64_t>(m_stamp.status.st_mtim.tv_sec);
    identity.modifiedNanoseconds = static_cast<std::int64_t>(m_stamp.status.st_mtim.tv_nsec);
    identity.version = m_stamp.version;
    return true;
}
