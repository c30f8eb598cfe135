// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace base {

// text with its ASCII letters in upper or lower case; every other byte (the
// bytes of a UTF-8 character among them) as it is, whatever the locale.
std::string asciiUpper(std::string_view text);
std::string asciiLower(std::string_view text);

// The words of text, split at runs of white space.
std::vector<std::string> splitWords(const std::string& text);
// The first maxFields fields of line, split at runs of ASCII white space
// (the last one given still ends at white space; what follows it is left).
// Views into line.
std::vector<std::string_view> splitWhitespace(std::string_view line,
                                              std::size_t maxFields = std::numeric_limits<std::size_t>::max());

// The extension of the file name at the end of path, with its dot and in
// lower case (".svg"), or "" where the name has none. A name's leading dot
// marks a hidden file, not an extension.
std::string lowerExtension(std::string_view path);

}  // namespace base
