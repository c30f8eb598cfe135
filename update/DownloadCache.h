// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/NonCopyable.h"
#include "update/HttpDownload.h"

#include <string>

namespace update {

// The files of the last update that succeeded, each with the validators
// its server gave, so that the next update asks for newer versions only.
// A file's validators are used only for the address they came from. Layout:
// <dir>/<file> and <dir>/<file>.source (three lines: address, ETag,
// Last-Modified).
class DownloadCache {
public:
    // Creates dir where it is missing; throws UpdateError naming it otherwise.
    explicit DownloadCache(std::string dir);

    const std::string& dir() const { return m_dir; }
    std::string path(const std::string& file) const { return m_dir + "/" + file; }

    // The validators for asking url for file again; empty when the cache
    // holds no copy of file that came from url.
    Validators validators(const std::string& file, const std::string& url) const;

    // Moves the downloaded file staged into the cache as file, with what the
    // server said of it. Throws UpdateError naming the file.
    void store(const std::string& file, const std::string& staged, const std::string& url,
               const Validators& validators) const;

private:
    std::string m_dir;
};

// Held for the whole of an update: a second update that starts meanwhile
// (another terminal, the window) fails at once instead of mixing its files
// with this one's. A lock on the cache directory itself, released by the
// system when the process ends however it ends; it leaves no file behind.
class UpdateLock : base::NonCopyable {
public:
    // Throws UpdateError when another update holds the lock.
    explicit UpdateLock(const std::string& cacheDir);
    ~UpdateLock();

private:
    int m_fd = -1;
};

}  // namespace update
