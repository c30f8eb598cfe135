#include "OutputFile.h"

#include "NavdbError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace navdb {

namespace {

std::string directoryOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

void syncFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        throw NavdbError("cannot open " + path + ": " + std::strerror(errno));
    }
    const int rc = ::fsync(fd);
    const int savedErrno = errno;
    ::close(fd);
    if (rc != 0) {
        throw NavdbError("cannot write " + path + ": " + std::strerror(savedErrno));
    }
}

// Makes the rename itself durable. Best effort: the new file is already in
// place, and some file systems cannot sync a directory.
void syncDirectory(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

OutputFile::OutputFile(std::string path) : m_path(std::move(path))
{
    std::vector<char> name(m_path.begin(), m_path.end());
    const std::string suffix = ".tmp-XXXXXX";
    name.insert(name.end(), suffix.begin(), suffix.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        throw NavdbError("cannot create a file in " + directoryOf(m_path) + " for " + m_path + ": " +
                         std::strerror(errno));
    }
    m_tempPath = name.data();
    // mkstemp makes the file private; the database is meant to be read by
    // whoever may read new files here, as if it had been created directly.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    ::close(fd);
}

OutputFile::~OutputFile()
{
    if (!m_committed) {
        std::remove(m_tempPath.c_str());
    }
}

void OutputFile::commit()
{
    syncFile(m_tempPath);
    if (std::rename(m_tempPath.c_str(), m_path.c_str()) != 0) {
        throw NavdbError("cannot replace " + m_path + ": " + std::strerror(errno));
    }
    m_committed = true;
    syncDirectory(directoryOf(m_path));
}

}  // namespace navdb
