// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/DownloadCache.h"

#include "base/WholeFile.h"
#include "update/UpdateError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/file.h>
#include <system_error>
#include <unistd.h>

namespace update {

DownloadCache::DownloadCache(std::string dir) : m_dir(std::move(dir))
{
    std::error_code error;
    std::filesystem::create_directories(m_dir, error);
    if (error || !std::filesystem::is_directory(m_dir, error)) {
        throw UpdateError("cannot create the download cache " + m_dir + ": " +
                          (error ? error.message() : std::string("it is not a directory")));
    }
}

Validators DownloadCache::validators(const std::string& file, const std::string& url) const
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path(file), error)) {
        return {};
    }
    std::ifstream in(path(file) + ".source");
    std::string source;
    Validators known;
    if (!std::getline(in, source) || source != url || !std::getline(in, known.etag) ||
        !std::getline(in, known.lastModified)) {
        return {};
    }
    return known;
}

void DownloadCache::store(const std::string& file, const std::string& staged, const std::string& url,
                          const Validators& validators) const
{
    // The file first: a cached file with the validators of its predecessor
    // is only asked for again, never taken for current.
    std::error_code error;
    std::filesystem::remove(path(file) + ".source", error);
    if (std::rename(staged.c_str(), path(file).c_str()) != 0) {
        throw UpdateError(file + ": cannot keep the download in " + m_dir + ": " + std::strerror(errno));
    }
    const std::string source = url + "\n" + validators.etag + "\n" + validators.lastModified + "\n";
    if (const auto failure = base::replaceFileWhole(path(file) + ".source", source)) {
        throw UpdateError(file + ": cannot write " + path(file) + ".source: " + base::failureCause(*failure));
    }
}

UpdateLock::UpdateLock(const std::string& cacheDir)
{
    m_fd = ::open(cacheDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0) {
        throw UpdateError("cannot open the download cache " + cacheDir + ": " + std::strerror(errno));
    }
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        const int cause = errno;
        ::close(m_fd);
        m_fd = -1;
        throw UpdateError(cause == EWOULDBLOCK
                              ? "another update of the navigation data is running (it holds " + cacheDir + ")"
                              : "cannot lock the download cache " + cacheDir + ": " + std::strerror(cause));
    }
}

UpdateLock::~UpdateLock()
{
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

}  // namespace update
