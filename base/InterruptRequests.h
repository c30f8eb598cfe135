// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/NonCopyable.h"

#include <signal.h>

#include <cstddef>
#include <iterator>

namespace base {

// While it lives, Ctrl-C (SIGINT), SIGTERM and SIGHUP only ask the work of a
// terminal program to stop (requested()), so that it unwinds, closes what it
// holds and leaves nothing behind; the earlier dispositions come back after.
// A signal that was ignored stays ignored (an update run under nohup goes
// on), except SIGINT where catchIgnoredInterrupt is set: the shell ignores
// it for a program a script starts in the background, and work that has no
// end of its own must still stop at `kill -INT`. One at a time.
class InterruptRequests : NonCopyable {
public:
    explicit InterruptRequests(bool catchIgnoredInterrupt = false);
    ~InterruptRequests();

    // Whether one of the signals came since construction.
    static bool requested();

private:
    static constexpr int SIGNALS[] = {SIGINT, SIGTERM, SIGHUP};
    struct sigaction m_previous[std::size(SIGNALS)] {};
    bool m_installed[std::size(SIGNALS)] = {};
};

}  // namespace base
