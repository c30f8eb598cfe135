// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/stat.h>

#include <array>
#include <cstdint>
#include <string>
#include <tuple>

// Notices that an SQLite database file was written in place since the watch
// began: its size, times or the version bytes of its header changed. A
// connection that opens its file as immutable skips SQLite's own check of
// these before every statement, and asks here instead when it is idle.
// A file replaced by rename is not a change: the watch, like the connection,
// stays on the file it opened.
//
// What tells one state of a database file from every other: where it lives
// (device and inode), its size and modification time, and SQLite's change
// counter. A cache of what was read from the file keeps these beside it.
struct DatabaseFileIdentity {
    std::string path;  // absolute, as the connection names the file
    std::uint64_t device = 0, inode = 0;
    std::int64_t size = 0, modifiedSeconds = 0, modifiedNanoseconds = 0;
    std::array<unsigned char, 16> version{};

    bool operator==(const DatabaseFileIdentity& other) const
    {
        return std::tie(path, device, inode, size, modifiedSeconds, modifiedNanoseconds, version) ==
               std::tie(other.path, other.device, other.inode, other.size, other.modifiedSeconds,
                        other.modifiedNanoseconds, other.version);
    }
};

class DatabaseFileWatch {
public:
    DatabaseFileWatch() = default;
    // Watches nothing when the file cannot be opened for reading.
    explicit DatabaseFileWatch(const std::string& path);
    ~DatabaseFileWatch();
    DatabaseFileWatch(DatabaseFileWatch&& other) noexcept;
    DatabaseFileWatch& operator=(DatabaseFileWatch&& other) noexcept;
    DatabaseFileWatch(const DatabaseFileWatch&) = delete;
    DatabaseFileWatch& operator=(const DatabaseFileWatch&) = delete;

    // True once the file differs from what the watch first saw; a file that
    // can no longer be examined counts as changed.
    bool Changed() const;

    // The file's identity as the watch first saw it, while it is still so;
    // false when the file was changed since or cannot be examined.
    bool Identity(DatabaseFileIdentity& identity) const;

private:
    struct Stamp {
        struct stat status {};
        // SQLite's file change counter and the words after it (offset 24),
        // which every write transaction of a rollback journal bumps.
        std::array<unsigned char, 16> version{};
        bool operator==(const Stamp& other) const;
    };
    bool Read(Stamp& stamp) const;

    int m_fd = -1;
    std::string m_path;  // absolute
    Stamp m_stamp;
};
