// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/FileErrorText.h"

#include "base/ProtectedFiles.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace {

// The user may have started the program from anywhere, so a full-disk
// message says exactly which file on which disk.
std::string AbsoluteName(const std::string& name)
{
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(name, ec);
    if (ec)
        return name;
    return full.lexically_normal().string();
}

}  // namespace

std::string OpenFailureText(int error, const std::string& name)
{
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return "Access to " + name + " was denied.";
    case EWOULDBLOCK:
        return SharingViolationText(name);
    case ENOSPC:
    case EDQUOT:
        return DiskFullText(name);
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return "All or part of the path " + name + " is invalid.";
    case EMFILE:
    case ENFILE:
        return "Too many open files while accessing " + name + ".";
    default:
        return "An error occurred while accessing " + name + ": " + std::generic_category().message(error) + ".";
    }
}

std::string DiskFullText(const std::string& name)
{
    return "Disk full while accessing " + AbsoluteName(name) + ".";
}

std::string SharingViolationText(const std::string& name)
{
    return "A sharing violation occurred while accessing " + name + ".";
}

std::string ProtectedFileText(const std::string& name)
{
    return "Access to " + name + " was denied: " + base::protectedFileCause() + ".";
}
