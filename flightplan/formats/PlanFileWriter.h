#pragma once

#include <string>

namespace flightplan {

// Writes bytes as the file at path: whole, to a new file beside it that is
// flushed to disk and then renamed over path, so a reader never sees half a
// plan and a failure leaves whatever was at path untouched and nothing
// beside it. A link at path is replaced, not followed. Throws PlanError
// naming the file and the cause.
void writePlanFile(const std::string& path, const std::string& bytes);

}  // namespace flightplan
