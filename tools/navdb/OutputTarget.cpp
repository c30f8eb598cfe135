// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/OutputTarget.h"

#include "tools/navdb/NavdbError.h"

#include <sys/stat.h>

namespace navdb {

void checkOutputTarget(const std::string& output, const std::vector<std::string>& inputs)
{
    struct stat target {};
    // Nothing there (or a dangling link, which the rename replaces): nothing
    // to destroy. A directory that cannot be written is reported when the
    // temporary file is created.
    if (::stat(output.c_str(), &target) != 0) {
        return;
    }
    const std::string refused = "will not write the database to " + output + ": ";
    if (S_ISDIR(target.st_mode)) {
        throw NavdbError(refused + "it is a directory");
    }
    if (!S_ISREG(target.st_mode)) {
        throw NavdbError(refused + "it is not a regular file");
    }
    for (const auto& input : inputs) {
        struct stat source {};
        if (::stat(input.c_str(), &source) == 0 && source.st_dev == target.st_dev &&
            source.st_ino == target.st_ino) {
            throw NavdbError(refused + "it is the input file " + input);
        }
    }
}

}  // namespace navdb
