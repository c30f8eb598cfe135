#pragma once

#include <string>

namespace routemap {

// Writes bytes to a new file beside path and renames it over path once it
// is complete and flushed, so that path holds the old file or the whole new
// one, never a part. The new file gets the usual permissions for a new file.
// Throws MapError naming path; nothing is left beside it then.
void writeWholeFile(const std::string& path, const std::string& bytes);

}  // namespace routemap
