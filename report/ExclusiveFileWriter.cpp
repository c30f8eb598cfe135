#include "ExclusiveFileWriter.h"

#include "FileErrorText.h"
#include "FileException.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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

bool WriteAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

void WriteFileExclusively(const std::string& path, const std::string& bytes)
{
    // No O_TRUNC: a file another writer holds must not lose its contents
    // before we learn that it is locked. O_NONBLOCK keeps a FIFO left under
    // that name from hanging the program; it is cleared once open.
    Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666));
    if (file.get() < 0)
        throw CFileException(OpenFailureText(errno, path));

    // Linux has no share modes; an advisory lock stands in for them between
    // copies of this program.
    if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
        int error = errno;
        throw CFileException(error == EWOULDBLOCK ? SharingViolationText(path) : OpenFailureText(error, path));
    }

    int flags = ::fcntl(file.get(), F_GETFL);
    if (flags < 0 || ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        throw CFileException(OpenFailureText(errno, path));

    // Only a regular file can be truncated; devices such as /dev/full refuse.
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        throw CFileException(OpenFailureText(errno, path));
    if (S_ISREG(info.st_mode) && ::ftruncate(file.get(), 0) != 0)
        throw CFileException(errno == ENOSPC || errno == EDQUOT ? DiskFullText(path) : OpenFailureText(errno, path));

    if (!WriteAll(file.get(), bytes.data(), bytes.size())) {
        file.close();
        throw CFileException(DiskFullText(path));
    }
    if (!file.close())
        throw CFileException(DiskFullText(path));
}
