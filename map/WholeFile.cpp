#include "map/WholeFile.h"

#include "map/MapError.h"
#include "report/WholeFileReplace.h"

#include <cerrno>
#include <cstring>

namespace routemap {

void writeWholeFile(const std::string& path, const std::string& bytes)
{
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty())
        throw MapError("cannot write map file " + path + ": " + std::strerror(EISDIR));
    if (std::optional<ReplaceFailure> failure = ReplaceFileWhole(path, bytes))
        throw MapError("cannot write map file " + path + ": " + std::strerror(failure->error));
}

}  // namespace routemap
