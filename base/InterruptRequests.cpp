// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/InterruptRequests.h"

#include <csignal>
#include <iterator>

namespace base {

namespace {

volatile std::sig_atomic_t g_requested = 0;

extern "C" void noteRequest(int)
{
    g_requested = 1;
}

}  // namespace

InterruptRequests::InterruptRequests(bool catchIgnoredInterrupt)
{
    g_requested = 0;
    struct sigaction action {};
    action.sa_handler = noteRequest;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(SIGNALS); ++i) {
        struct sigaction current {};
        if (::sigaction(SIGNALS[i], nullptr, &current) != 0)
            continue;
        const bool ignored = current.sa_handler == SIG_IGN;
        if (ignored && !(catchIgnoredInterrupt && SIGNALS[i] == SIGINT))
            continue;
        m_installed[i] = ::sigaction(SIGNALS[i], &action, &m_previous[i]) == 0;
    }
}

InterruptRequests::~InterruptRequests()
{
    for (std::size_t i = 0; i < std::size(SIGNALS); ++i) {
        if (m_installed[i])
            ::sigaction(SIGNALS[i], &m_previous[i], nullptr);
    }
}

bool InterruptRequests::requested()
{
    return g_requested != 0;
}

}  // namespace base
