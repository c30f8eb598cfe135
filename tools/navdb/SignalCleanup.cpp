// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/SignalCleanup.h"

#include <climits>
#include <cstring>
#include <unistd.h>

namespace navdb {

namespace {

constexpr int SIGNALS[] = {SIGINT, SIGTERM, SIGHUP};
constexpr std::size_t SIGNAL_COUNT = sizeof SIGNALS / sizeof SIGNALS[0];

// Read by the handler: written only while no handler of ours is installed.
char g_path[PATH_MAX];
volatile sig_atomic_t g_armed = 0;
struct sigaction g_previous[SIGNAL_COUNT];
bool g_installed[SIGNAL_COUNT];
bool g_inUse = false;

sigset_t terminationSignals()
{
    sigset_t set;
    sigemptyset(&set);
    for (const int signo : SIGNALS) {
        sigaddset(&set, signo);
    }
    return set;
}

// Only async-signal-safe calls: unlink, sigaction, raise. The raised signal
// stays pending until the handler returns and then meets the previous
// disposition.
void removeAndResignal(int signo)
{
    if (g_armed != 0) {
        ::unlink(g_path);
    }
    for (std::size_t i = 0; i < SIGNAL_COUNT; ++i) {
        if (SIGNALS[i] == signo) {
            ::sigaction(signo, &g_previous[i], nullptr);
        }
    }
    ::raise(signo);
}

}  // namespace

RemoveOnSignal::RemoveOnSignal(const std::string& path)
{
    if (g_inUse || path.size() >= sizeof g_path) {
        return;
    }
    g_inUse = true;
    m_active = true;
    std::memcpy(g_path, path.c_str(), path.size() + 1);
    g_armed = 1;

    struct sigaction action {};
    action.sa_handler = removeAndResignal;
    action.sa_mask = terminationSignals();
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < SIGNAL_COUNT; ++i) {
        g_installed[i] = false;
        struct sigaction current {};
        if (::sigaction(SIGNALS[i], nullptr, &current) != 0 || current.sa_handler == SIG_IGN) {
            continue;
        }
        g_previous[i] = current;
        g_installed[i] = ::sigaction(SIGNALS[i], &action, nullptr) == 0;
    }
}

RemoveOnSignal::~RemoveOnSignal()
{
    if (!m_active) {
        return;
    }
    for (std::size_t i = 0; i < SIGNAL_COUNT; ++i) {
        if (g_installed[i]) {
            ::sigaction(SIGNALS[i], &g_previous[i], nullptr);
        }
    }
    g_armed = 0;
    g_inUse = false;
}

TerminationSignalsHeld::TerminationSignalsHeld()
{
    const sigset_t held = terminationSignals();
    ::pthread_sigmask(SIG_BLOCK, &held, &m_previous);
}

TerminationSignalsHeld::~TerminationSignalsHeld()
{
    ::pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
}

}  // namespace navdb
