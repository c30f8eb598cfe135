#pragma once

#include <string>

// Replaces the contents of the file at path with bytes while holding an
// exclusive lock on it, and closes it before returning. Throws
// CFileException with the user's message when the file cannot be opened,
// is locked by another writer (left untouched then), or a write fails
// (what was written so far stays).
void WriteFileExclusively(const std::string& path, const std::string& bytes);
