// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/NonCopyable.h"

#include <signal.h>

#include <string>

namespace navdb {

// While it lives, SIGINT, SIGTERM and SIGHUP first remove one file and then
// take their previous course (by default, ending the process), so an
// interrupted import leaves nothing behind. A signal that was ignored stays
// ignored. The handler can only use what was prepared before it runs, so the
// path is copied into fixed storage: one file per process at a time; a second
// guard while one lives does nothing.
class RemoveOnSignal : base::NonCopyable {
public:
    explicit RemoveOnSignal(const std::string& path);
    ~RemoveOnSignal();

private:
    bool m_active = false;
};

// Holds the same signals back while it lives, so that a file and the guard
// that removes it come into being together.
class TerminationSignalsHeld : base::NonCopyable {
public:
    TerminationSignalsHeld();
    ~TerminationSignalsHeld();

private:
    sigset_t m_previous;
};

}  // namespace navdb
