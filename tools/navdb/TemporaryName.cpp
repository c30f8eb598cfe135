// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/TemporaryName.h"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace navdb {

namespace {

constexpr std::size_t PID_DIGITS = 10;   // room kept for any pid, so the cut never depends on it
constexpr std::size_t UNIQUE_CHARS = 6;  // mkstemp's XXXXXX
const std::string TAG = ".tmp-";

std::string hashText(const std::string& text)
{
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (const unsigned char c : text) {
        hash = (hash ^ c) * 16777619u;
    }
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(hash));
    return hex;
}

// "<name>.tmp-", shortened to leave room for the pid and mkstemp's part.
std::string temporaryStem(const std::string& fileName, std::size_t nameMax)
{
    const std::size_t fixed = TAG.size() + PID_DIGITS + 1 + UNIQUE_CHARS;
    const std::size_t room = nameMax > fixed ? nameMax - fixed : 0;
    if (fileName.size() <= room) {
        return fileName + TAG;
    }
    const std::string hash = "~" + hashText(fileName);
    std::size_t keep = room > hash.size() ? room - hash.size() : 0;
    while (keep > 0 && (static_cast<unsigned char>(fileName[keep]) & 0xC0) == 0x80) {
        --keep;
    }
    return fileName.substr(0, keep) + hash + TAG;
}

// The pid of a name "<stem><pid>-XXXXXX", or 0 when the name is not one.
long pidOfTemporaryName(const std::string& name, const std::string& stem)
{
    if (name.compare(0, stem.size(), stem) != 0) {
        return 0;
    }
    const std::string rest = name.substr(stem.size());
    const auto dash = rest.find('-');
    if (dash == 0 || dash == std::string::npos || dash > PID_DIGITS || rest.size() != dash + 1 + UNIQUE_CHARS) {
        return 0;
    }
    long pid = 0;
    for (std::size_t i = 0; i < dash; ++i) {
        if (std::isdigit(static_cast<unsigned char>(rest[i])) == 0) {
            return 0;
        }
        pid = pid * 10 + (rest[i] - '0');
    }
    for (std::size_t i = dash + 1; i < rest.size(); ++i) {
        if (std::isalnum(static_cast<unsigned char>(rest[i])) == 0) {
            return 0;
        }
    }
    return pid;
}

bool processIsGone(long pid)
{
    // Only a definite "no such process" counts: a process of another user
    // answers EPERM and is alive.
    return pid > 0 && static_cast<pid_t>(pid) == pid && ::kill(static_cast<pid_t>(pid), 0) != 0 &&
           errno == ESRCH;
}

}  // namespace

std::string temporaryPrefix(const std::string& fileName, long pid, std::size_t nameMax)
{
    return temporaryStem(fileName, nameMax) + std::to_string(pid) + "-";
}

void removeStaleTemporaryFiles(const std::string& directory, const std::string& fileName, std::size_t nameMax)
{
    DIR* dir = ::opendir(directory.c_str());
    if (dir == nullptr) {
        return;
    }
    const std::string stem = temporaryStem(fileName, nameMax);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        const long pid = pidOfTemporaryName(name, stem);
        struct stat info {};
        if (pid != 0 && processIsGone(pid) && ::fstatat(::dirfd(dir), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode)) {
            ::unlinkat(::dirfd(dir), name.c_str(), 0);
        }
    }
    ::closedir(dir);
}

}  // namespace navdb
