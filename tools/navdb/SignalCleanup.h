// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <signal.h>

#include <string>

namespace navdb {

// While it lives, SIGINT, SIGTERM and SIGHUP first remove one file and then
// take their previous course (by default, ending the process), so an
// interrupted import leaves nothing behind. A signal that was ignored stays
// ignored. The handler can only use what was prepared before it runs, so the
// path is copied into fixed storage: one file per process at a time; a second
// guard while one lives does nothing.
class RemoveOnSignal {
public:
    explicit RemoveOnSignal(const std::string& path);
    ~RemoveOnSignal();
    RemoveOnSignal(const RemoveOnSignal&) = delete;
    RemoveOnSignal& operator=(const RemoveOnSignal&) = delete;

private:
    bool m_active = false;
};

// Holds the same signals back while it lives, so that a file and the guard
// that removes it come into being together.
class TerminationSignalsHeld {
public:
    TerminationSignalsHeld();
    ~TerminationSignalsHeld();
    TerminationSignalsHeld(const TerminationSignalsHeld&) = delete;
    TerminationSignalsHeld& operator=(const TerminationSignalsHeld&) = delete;

private:
    sigset_t m_previous;
};

}  // namespace navdb
