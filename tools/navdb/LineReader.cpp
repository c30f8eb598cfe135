// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/LineReader.h"

#include "tools/navdb/NavdbError.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace navdb {

gzFile openCompressedOrPlain(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        throw NavdbError("cannot open " + path + ": " + std::strerror(errno));
    }
    if (S_ISDIR(info.st_mode)) {
        throw NavdbError("cannot open " + path + ": is a directory");
    }
    errno = 0;
    gzFile file = gzopen(path.c_str(), "rb");
    if (file == nullptr) {
        throw NavdbError("cannot open " + path + ": " + (errno != 0 ? std::strerror(errno) : "out of memory"));
    }
    gzbuffer(file, 1 << 17);
    return file;
}

void throwIfReadFailed(gzFile file, const std::string& path)
{
    int code = Z_OK;
    const char* message = gzerror(file, &code);
    if (code != Z_OK) {
        throw NavdbError("cannot read " + path + ": " + (code == Z_ERRNO ? std::strerror(errno) : message));
    }
}

LineReader::LineReader(const std::string& path) : m_file(openCompressedOrPlain(path)), m_path(path)
{
}

LineReader::~LineReader()
{
    if (m_file != nullptr) {
        gzclose(m_file);
    }
}

bool LineReader::next(std::string& line)
{
    line.clear();
    char buffer[4096];
    bool gotAny = false;
    while (gzgets(m_file, buffer, sizeof buffer) != nullptr) {
        gotAny = true;
        line.append(buffer);
        if (!line.empty() && line.back() == '\n') {
            break;
        }
    }
    throwIfReadFailed(m_file, m_path);
    if (!gotAny) {
        return false;
    }
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.pop_back();
    }
    ++m_line;
    return true;
}

}  // namespace navdb
