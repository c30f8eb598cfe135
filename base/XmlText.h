// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace base {

// Text made safe for XML element content: valid UTF-8 as Utf8Text.h makes
// it, the characters XML 1.0 forbids (controls other than tab, line feed
// and carriage return, U+FFFE, U+FFFF) dropped, & < > as entities. Quotes
// stay as they are: positions such as N40° 38' 23.28" are read by simple
// parsers too.
std::string xmlEscape(std::string_view text);

// The same for an attribute value between quotes: " and ' become entities
// as well.
std::string xmlAttributeEscape(std::string_view text);

// <name>escaped text</name>, indented by `indent` spaces, with a newline.
std::string xmlElement(int indent, std::string_view name, std::string_view text);

}  // namespace base
