// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

// Where a database or file error that ended a user command is shown: a modal
// message box with the error icon and the executable's name as caption.
//
// With MERIDANE_NO_MODAL_ERRORS=1 in the environment the text goes to
// standard error instead ("meridane: text"), for runs where nobody can
// press OK, such as scripted start-up checks.
void ReportError(const std::string& message);

// Replaces what ReportError does (an empty function restores the message
// box); returns the one it replaces.
using ErrorReporter = std::function<void(const std::string& message)>;
ErrorReporter SetErrorReporter(ErrorReporter reporter);
