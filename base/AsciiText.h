// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

// The extension of the file name at the end of path, with its dot and in
// lower case (".svg"), or "" where the name has none. A name's leading dot
// marks a hidden file, not an extension.
std::string lowerExtension(std::string_view path);

}  // namespace base
