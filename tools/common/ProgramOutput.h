// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <iosfwd>
#include <string>

namespace tools {

// Whether everything written to out reached its file: a report or usage
// text that did not (a full disk, a failing device) must not let the run
// count as a success. When it did not, says so on err, as
// "program: cannot write to standard output: cause" followed by note.
bool outputArrived(std::ostream& out, std::ostream& err, const std::string& program,
                   const std::string& note = std::string());

// The text of a failure as one line for "program: text": some layers end
// their messages with a line break.
std::string messageLine(const std::exception& error);

}  // namespace tools
