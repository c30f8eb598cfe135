#include "flightplan/formats/PlanFileWriter.h"

#include "flightplan/PlanError.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

namespace flightplan {

namespace {

[[noreturn]] void fail(const std::string& path, int error)
{
    throw PlanError("The flight plan file " + path + " cannot be written: " + std::strerror(error) + ".");
}

// A file of our own beside path: ".name.XXXXXX". open() with O_EXCL makes
// it ours alone and applies the user's umask as for any new file.
int createTemporaryBeside(const std::string& path, std::string& tempPath)
{
    const std::size_t slash = path.rfind('/');
    const std::string directory = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    std::string name = path.substr(directory.size());
    if (name.size() > 200)
        name.resize(200);
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> pick(0, sizeof letters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string tail;
        for (int i = 0; i < 6; ++i)
            tail += letters[pick(random)];
        tempPath = directory + "." + name + "." + tail;
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
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

}  // namespace

void writePlanFile(const std::string& path, const std::string& bytes)
{
    if (path.empty() || path.back() == '/')
        throw PlanError("The flight plan file name \"" + path + "\" names no file.");
    std::string tempPath;
    const int fd = createTemporaryBeside(path, tempPath);
    if (fd < 0)
        fail(path, errno);
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(tempPath.c_str());
        fail(path, error);
    }
    if (::close(fd) != 0 || ::rename(tempPath.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(tempPath.c_str());
        fail(path, error);
    }
}

}  // namespace flightplan
