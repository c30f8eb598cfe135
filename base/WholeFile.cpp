// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/WholeFile.h"

#include "base/ProtectedFiles.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <random>

namespace base {

namespace {

// A new file beside target, named after it, created only by this call: a
// dot, target's name (shortened so the whole stays a legal name) and a
// random tail; the mode as for open(). -1 with errno when none can be made.
int createTemporaryBeside(const std::string& target, std::string& tempPath)
{
    std::size_t slash = target.rfind('/');
    std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    std::string name = target.substr(dir.size());
    const std::size_t tailLength = 7;  // "." and six random characters
    if (name.size() > NAME_MAX - 1 - tailLength)
        name.resize(NAME_MAX - 1 - tailLength);

    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> pick(0, sizeof letters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string tail = ".";
        for (std::size_t i = 1; i < tailLength; ++i)
            tail += letters[pick(random)];
        tempPath = dir + "." + name + tail;
        int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;  // errno is EEXIST
}

std::string directoryOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Best effort: the new file is already in place, and some file systems
// cannot sync a directory.
void syncDirectoryOf(const std::string& path)
{
    const int fd = ::open(directoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Owns a descriptor so that every early return closes it (and so drops a
// lock held on it).
class Descriptor {
public:
    Descriptor() = default;
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return m_fd; }

    // Opens an existing file for writing, never creating one. O_NONBLOCK: a
    // FIFO without a reader fails at once (ENXIO) instead of hanging; it is
    // cleared once the file is open. False with errno.
    bool openExisting(const std::string& path)
    {
        m_fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        if (m_fd < 0)
            return false;
        const int flags = ::fcntl(m_fd, F_GETFL);
        return flags >= 0 && ::fcntl(m_fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
    }

    // Closes now and tells whether the close succeeded; a failed close can
    // mean data that never reached the disk.
    bool close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd = -1;
};

// Writes over the contents of an open file: emptied first where it is a
// regular file (devices such as /dev/full refuse to be).
std::optional<WriteFailure> writeInPlace(Descriptor& file, const struct stat& info, const std::string& bytes)
{
    using Step = WriteFailure::Step;
    if (S_ISREG(info.st_mode) && ::ftruncate(file.get(), 0) != 0)
        return WriteFailure{Step::Truncate, errno};
    if (!writeAllBytes(file.get(), bytes)) {
        const int error = errno;
        file.close();
        return WriteFailure{Step::Write, error};
    }
    if (!file.close())
        return WriteFailure{Step::Write, errno};
    return std::nullopt;
}

}  // namespace

std::string failureCause(const WriteFailure& failure)
{
    if (failure.step == WriteFailure::Step::Refused)
        return protectedFileCause();
    return std::strerror(failure.error);
}

std::string cannotWriteText(const std::string& kind, const std::string& path, const std::string& cause)
{
    const bool ended = !cause.empty() && (cause.back() == '.' || cause.back() == '!' || cause.back() == '?');
    return "The " + kind + " " + path + " cannot be written: " + cause + (ended ? "" : ".");
}

std::string cannotWriteText(const std::string& kind, const std::string& path, const WriteFailure& failure)
{
    return cannotWriteText(kind, path, failureCause(failure));
}

bool writeAllBytes(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

int commitFile(const std::string& temp, const std::string& target)
{
    const int fd = ::open(temp.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int synced = ::fsync(fd);
    const int syncError = errno;
    ::close(fd);
    if (synced != 0)
        return syncError;
    if (::rename(temp.c_str(), target.c_str()) != 0)
        return errno;
    syncDirectoryOf(target);
    return 0;
}

std::optional<WriteFailure> replaceFileWhole(const std::string& target, const std::string& bytes,
                                             const mode_t* permissions)
{
    using Step = WriteFailure::Step;
    if (isProtectedPath(target))
        return WriteFailure{Step::Refused, 0};
    std::string tempPath;
    int fd = createTemporaryBeside(target, tempPath);
    if (fd < 0)
        return WriteFailure{Step::Create, errno};
    auto abandon = [&](Step step, int error, bool open) {
        if (open)
            ::close(fd);
        ::unlink(tempPath.c_str());
        return WriteFailure{step, error};
    };
    if (permissions && ::fchmod(fd, *permissions) != 0)
        return abandon(Step::Permissions, errno, true);
    if (!writeAllBytes(fd, bytes) || ::fsync(fd) != 0)
        return abandon(Step::Write, errno, true);
    if (::close(fd) != 0)
        return abandon(Step::Write, errno, false);
    if (::rename(tempPath.c_str(), target.c_str()) != 0)
        return abandon(Step::Rename, errno, false);
    return std::nullopt;
}

std::string linkTarget(std::string path)
{
    for (int hops = 0; hops < 40; ++hops) {
        char target[PATH_MAX];
        const ssize_t n = ::readlink(path.c_str(), target, sizeof target);
        if (n <= 0 || static_cast<std::size_t>(n) >= sizeof target)
            return path;
        std::string next(target, static_cast<std::size_t>(n));
        const std::size_t slash = path.rfind('/');
        if (next[0] != '/' && slash != std::string::npos)
            next = path.substr(0, slash + 1) + next;
        path = next;
    }
    return path;
}

std::optional<WriteFailure> writeFileWhole(const std::string& path, const std::string& bytes,
                                           const WholeFileRules& rules)
{
    using Step = WriteFailure::Step;
    const std::string target = linkTarget(path);
    if (isProtectedPath(target))
        return WriteFailure{Step::Refused, 0};
    Descriptor earlier;
    struct stat info {};
    if (rules.lockEarlierFile) {
        // No O_CREAT: a file not there yet comes into being whole.
        if (!earlier.openExisting(target)) {
            if (errno == ENOENT && earlier.get() < 0)
                return replaceFileWhole(target, bytes);
            return WriteFailure{Step::Open, errno};
        }
        // Linux has no share modes; an advisory lock stands in for them
        // between writers that ask for it.
        if (::flock(earlier.get(), LOCK_EX | LOCK_NB) != 0)
            return WriteFailure{errno == EWOULDBLOCK ? Step::Locked : Step::Open, errno};
        if (::fstat(earlier.get(), &info) != 0)
            return WriteFailure{Step::Open, errno};
    } else if (::stat(target.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
        return replaceFileWhole(target, bytes);
    }
    if (S_ISREG(info.st_mode)) {
        const mode_t permissions = info.st_mode & 07777;
        std::optional<WriteFailure> failure = replaceFileWhole(target, bytes, &permissions);
        const bool folderIsClosed = failure && failure->step == Step::Create &&
                                    (failure->error == EACCES || failure->error == EPERM);
        if (!folderIsClosed || !rules.inPlaceWhereFolderIsClosed)
            return failure;
    }
    if (earlier.get() < 0 && !earlier.openExisting(target))
        return WriteFailure{Step::Open, errno};
    return writeInPlace(earlier, info, bytes);
}

}  // namespace base
