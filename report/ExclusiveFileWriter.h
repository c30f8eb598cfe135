// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Replaces the file at path (or the file a link at path names) with bytes
// while holding an exclusive lock on the earlier file, and returns once the
// new one is closed and in place. A regular file, or one not there yet, is
// written whole beside it and renamed over it, keeping the earlier file's
// permissions (in place only where its folder takes no new file); a device,
// FIFO or the like is written as it is. Throws
// CFileException with the user's message when the file cannot be opened, is
// locked by another writer, or a write fails; a regular file is left as it
// was then, and nothing is left beside it.
void WriteFileExclusively(const std::string& path, const std::string& bytes);
