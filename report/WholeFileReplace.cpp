#include "WholeFileReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <random>

namespace {

// A new file beside target, named after it, created only by this call: a
// dot, target's name (shortened so the whole stays a legal name) and a
// random tail; the mode as for open(). -1 with errno when none can be made.
int CreateTemporaryBeside(const std::string& target, std::string& tempPath)
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

}  // namespace

bool WriteAllBytes(int fd, const std::string& bytes)
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

std::optional<ReplaceFailure> ReplaceFileWhole(const std::string& target, const std::string& bytes,
                                               const mode_t* permissions)
{
    using Step = ReplaceFailure::Step;
    std::string tempPath;
    int fd = CreateTemporaryBeside(target, tempPath);
    if (fd < 0)
        return ReplaceFailure{Step::Create, errno};
    auto abandon = [&](Step step, int error, bool open) {
        if (open)
            ::close(fd);
        ::unlink(tempPath.c_str());
        return ReplaceFailure{step, error};
    };
    if (permissions && ::fchmod(fd, *permissions) != 0)
        return abandon(Step::Permissions, errno, true);
    if (!WriteAllBytes(fd, bytes) || ::fsync(fd) != 0)
        return abandon(Step::Write, errno, true);
    if (::close(fd) != 0)
        return abandon(Step::Write, errno, false);
    if (::rename(tempPath.c_str(), target.c_str()) != 0)
        return abandon(Step::Rename, errno, false);
    return std::nullopt;
}
