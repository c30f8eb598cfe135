#include "map/WholeFile.h"

#include "map/MapError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace routemap {

namespace {

// The process umask without changing it, which umask() alone cannot do
// safely while other threads create files.
mode_t currentUmask()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
        }
    }
    return 022;
}

[[noreturn]] void fail(const std::string& path, int error)
{
    throw MapError("cannot write map file " + path + ": " + std::strerror(error));
}

}  // namespace

void writeWholeFile(const std::string& path, const std::string& bytes)
{
    const auto slash = path.find_last_of('/');
    const std::string directory = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty()) {
        fail(path, EISDIR);
    }
    // Hidden, and short enough to fit any file system's name limit.
    std::string pattern = directory + "." + name.substr(0, 200) + ".XXXXXX";
    std::vector<char> temporary(pattern.begin(), pattern.end());
    temporary.push_back('\0');

    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        fail(path, errno);
    }
    const auto abandon = [&](int error) {
        ::close(fd);
        ::unlink(temporary.data());
        fail(path, error);
    };
    if (::fchmod(fd, 0666 & ~currentUmask()) != 0) {
        abandon(errno);
    }
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            abandon(errno);
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) {
        abandon(errno);
    }
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.data());
        fail(path, error);
    }
    if (::rename(temporary.data(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.data());
        fail(path, error);
    }
}

}  // namespace routemap
