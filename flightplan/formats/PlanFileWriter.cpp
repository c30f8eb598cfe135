#include "flightplan/formats/PlanFileWriter.h"

#include "flightplan/PlanError.h"
#include "report/WholeFileReplace.h"

#include <cstring>

namespace flightplan {

void writePlanFile(const std::string& path, const std::string& bytes)
{
    if (path.empty() || path.back() == '/')
        throw PlanError("The flight plan file name \"" + path + "\" names no file.");
    if (std::optional<ReplaceFailure> failure = ReplaceFileWhole(path, bytes))
        throw PlanError("The flight plan file " + path + " cannot be written: " + std::strerror(failure->error) + ".");
}

}  // namespace flightplan
