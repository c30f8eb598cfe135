// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/NonCopyable.h"

#include <cstddef>
#include <string>

#include <zlib.h>

namespace navdb {

// Opens a file for reading through zlib, which passes an uncompressed file
// through unchanged. Throws NavdbError naming the file when it cannot be
// opened, a directory included (gzopen would take one and only fail on the
// first read, with a less helpful message).
gzFile openCompressedOrPlain(const std::string& path);

// Throws NavdbError naming the file when a read from it failed: a damaged or
// truncated compressed file is an error, never a shorter one.
void throwIfReadFailed(gzFile file, const std::string& path);

// Reads a text file line by line whether it is gzip-compressed or plain: zlib
// passes an uncompressed file through unchanged, so the user may unpack
// nav.dat.gz or not.
class LineReader : base::NonCopyable {
public:
    // Throws NavdbError naming the file when it cannot be opened.
    explicit LineReader(const std::string& path);
    ~LineReader();

    // The next line without its CR/LF ending, or false at the end. A damaged
    // or truncated compressed file throws NavdbError rather than ending early,
    // so a half-read file is never mistaken for a complete one.
    bool next(std::string& line);

    // 1-based number of the line last returned.
    std::size_t lineNumber() const { return m_line; }

private:
    gzFile m_file = nullptr;
    std::string m_path;
    std::size_t m_line = 0;
};

}  // namespace navdb
