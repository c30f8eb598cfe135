// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>
#include <utility>

namespace base {

// Files no output of this process may replace or write into: whoever opens
// the navigation database holds a ProtectedFile for it, and the writers
// (WholeFile.h, the course report) refuse a target that is the same file by
// device and inode, whatever name or link leads to it. The protection ends
// with its holder: once the file is closed and gone, the system may give its
// inode to a new file, an export say, which must not be refused for it. A
// path that cannot be examined is not registered.
class ProtectedFile {
public:
    explicit ProtectedFile(const std::string& path);
    ~ProtectedFile();
    ProtectedFile(ProtectedFile&& other) noexcept;
    ProtectedFile& operator=(ProtectedFile&& other) noexcept;
    ProtectedFile(const ProtectedFile&) = delete;
    ProtectedFile& operator=(const ProtectedFile&) = delete;

private:
    std::optional<std::pair<dev_t, ino_t>> m_identity;
};

// True when info (from stat, links followed) is a protected file.
bool isProtectedFile(const struct stat& info);

// True when the file path names, links followed, is protected.
bool isProtectedPath(const std::string& path);

// The cause given when a protected file is refused.
inline const char* protectedFileCause()
{
    return "it is the navigation database in use";
}

}  // namespace base
