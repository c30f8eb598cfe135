// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ExclusiveFileWriter.h"

#include "base/ProtectedFiles.h"
#include "base/WholeFile.h"

#include "report/FileErrorText.h"
#include "report/FileException.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace {

// Owns the descriptor so every early exit closes it (and so drops the lock).
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return m_fd; }
    // Closes now and tells whether the close succeeded; a failed close can
    // mean data that never reached the disk.
    bool close()
    {
        int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

// Replaces target whole (base/WholeFile.h) with the messages of a report:
// a failed write is a full disk. path is the name for messages. Returns 0,
// or the errno of a temporary file that could not be created.
int ReplaceWhole(const std::string& target, const mode_t* permissions, const std::string& path,
                 const std::string& bytes)
{
    std::optional<base::WriteFailure> failure = base::replaceFileWhole(target, bytes, permissions);
    if (!failure)
        return 0;
    switch (failure->step) {
    case base::WriteFailure::Step::Create:
        return failure->error;
    case base::WriteFailure::Step::Write:
        throw CFileException(DiskFullText(path));
    case base::WriteFailure::Step::Refused:
        throw CFileException(ProtectedFileText(path));
    case base::WriteFailure::Step::Permissions:
    case base::WriteFailure::Step::Rename:
        break;
    }
    throw CFileException(OpenFailureText(failure->error, path));
}

// Writing over the contents in place: for what is not a regular file (a
// device keeps its own rules), and for a file whose folder takes no new
// files.
void WriteInPlace(Descriptor& file, const struct stat& info, const std::string& path, const std::string& bytes)
{
    // Only a regular file can be truncated; devices such as /dev/full refuse.
    if (S_ISREG(info.st_mode) && ::ftruncate(file.get(), 0) != 0)
        throw CFileException(errno == ENOSPC || errno == EDQUOT ? DiskFullText(path) : OpenFailureText(errno, path));
    if (!base::writeAllBytes(file.get(), bytes)) {
        file.close();
        throw CFileException(DiskFullText(path));
    }
    if (!file.close())
        throw CFileException(DiskFullText(path));
}

bool SameFile(const struct stat& a, const std::string& path)
{
    struct stat b {};
    return ::stat(path.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

void WriteFileExclusively(const std::string& path, const std::string& bytes)
{
    if (base::isProtectedPath(path))
        throw CFileException(ProtectedFileText(path));
    // No O_CREAT here: a report that does not exist yet comes into being
    // whole, below. O_NONBLOCK keeps a FIFO left under that name from
    // hanging the program; it is cleared once open.
    Descriptor file(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (file.get() < 0) {
        if (errno != ENOENT)
            throw CFileException(OpenFailureText(errno, path));
        if (int error = ReplaceWhole(base::linkTarget(path), nullptr, path, bytes))
            throw CFileException(OpenFailureText(error, path));
        return;
    }

    // Linux has no share modes; an advisory lock stands in for them between
    // copies of this program. It is held on the earlier report until the new
    // one has taken its place.
    if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
        int error = errno;
        throw CFileException(error == EWOULDBLOCK ? SharingViolationText(path) : OpenFailureText(error, path));
    }

    int flags = ::fcntl(file.get(), F_GETFL);
    if (flags < 0 || ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        throw CFileException(OpenFailureText(errno, path));

    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        throw CFileException(OpenFailureText(errno, path));

    // A full disk must not cost the earlier report: a regular file is
    // replaced whole. Where the folder takes no new file but the report may
    // be written, it is written in place as before.
    if (S_ISREG(info.st_mode)) {
        // The report replaces the file a link names, never the link: the
        // one link rule of base::writeFileWhole.
        std::string target = base::linkTarget(path);
        mode_t permissions = info.st_mode & 07777;
        if (SameFile(info, target)) {
            int error = ReplaceWhole(target, &permissions, path, bytes);
            if (error == 0)
                return;
            if (error != EACCES && error != EPERM)
                throw CFileException(OpenFailureText(error, path));
        }
    }
    WriteInPlace(file, info, path, bytes);
}
