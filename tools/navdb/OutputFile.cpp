// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/OutputFile.h"

#include "base/WholeFile.h"

#include "tools/navdb/NavdbError.h"
#include "tools/navdb/TemporaryName.h"

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

std::string fileNameOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::size_t longestFileName(const std::string& directory)
{
    const long limit = ::pathconf(directory.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : 255;
}

}  // namespace

OutputFile::OutputFile(std::string path) : m_path(std::move(path))
{
    const std::string directory = directoryOf(m_path);
    const std::string fileName = fileNameOf(m_path);
    const std::size_t nameMax = longestFileName(directory);
    removeStaleTemporaryFiles(directory, fileName, nameMax);

    const std::string prefix = temporaryPrefix(fileName, static_cast<long>(::getpid()), nameMax);
    const std::string pattern = m_path.substr(0, m_path.size() - fileName.size()) + prefix + "XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = -1;
    int createErrno = 0;
    {
        const TerminationSignalsHeld held;
        fd = ::mkstemp(name.data());
        createErrno = errno;
        if (fd >= 0) {
            m_tempPath = name.data();
            m_removeOnSignal = std::make_unique<RemoveOnSignal>(m_tempPath);
        }
    }
    if (fd < 0) {
        throw NavdbError("cannot create a file in " + directory + " for " + m_path + ": " + std::strerror(createErrno));
    }
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
    m_removeOnSignal.reset();
}

void OutputFile::commit()
{
    if (const int error = base::commitFile(m_tempPath, m_path)) {
        throw NavdbError("cannot replace " + m_path + ": " + std::strerror(error));
    }
    m_committed = true;
    m_removeOnSignal.reset();
}

}  // namespace navdb
