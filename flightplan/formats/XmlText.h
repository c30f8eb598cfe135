#pragma once

#include <string>
#include <string_view>

namespace flightplan {

// Text made safe for XML element content: & < > become entities,
// characters XML 1.0 forbids (controls other than tab, line feed and
// carriage return) are dropped, and a byte that does not start or continue
// a valid UTF-8 character becomes U+FFFD, so a damaged name from the
// database cannot make a file the reader rejects. Quotes stay as they are:
// positions such as N40° 38' 23.28" are read by simple parsers too.
std::string xmlEscape(std::string_view text);

// The same for an attribute value between double quotes: " and ' become
// entities as well.
std::string xmlAttributeEscape(std::string_view text);

// <name>escaped text</name>, indented by `indent` spaces, with a newline.
std::string xmlElement(int indent, std::string_view name, std::string_view text);

}  // namespace flightplan
