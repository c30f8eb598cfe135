// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/InterruptRequests.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <string>

namespace {

// Sets a signal's handler for the life of the object.
class Disposition {
public:
    Disposition(int signo, void (*handler)(int)) : m_signo(signo)
    {
        struct sigaction action {};
        action.sa_handler = handler;
        sigemptyset(&action.sa_mask);
        ::sigaction(signo, &action, &m_before);
    }
    ~Disposition() { ::sigaction(m_signo, &m_before, nullptr); }
    Disposition(const Disposition&) = delete;
    Disposition& operator=(const Disposition&) = delete;

private:
    int m_signo;
    struct sigaction m_before {};
};

void (*handlerOf(int signo))(int)
{
    struct sigaction current {};
    ::sigaction(signo, nullptr, &current);
    return current.sa_handler;
}

volatile std::sig_atomic_t g_earlierHandlerRan = 0;
void earlierHandler(int) { g_earlierHandlerRan = 1; }

}  // namespace

// Each signal only asks the work to stop while the requests live, and the
// earlier handler is back after; an ignored signal stays ignored, and
// raising it asks for nothing, but for SIGINT when the work must stop at it.
TEST(InterruptRequests, EachSignalAsksAndIgnoredOnesStayIgnored)
{
    const struct {
        int signo;
        bool ignoredBefore;
        bool catchIgnoredInterrupt;
        bool asks;
    } cases[] = {
        {SIGINT, false, false, true},  {SIGTERM, false, false, true}, {SIGHUP, false, false, true},
        {SIGINT, true, false, false},  {SIGTERM, true, true, false},  {SIGHUP, true, true, false},
        {SIGINT, true, true, true},
    };
    for (const auto& c : cases) {
        const std::string what = std::string(strsignal(c.signo)) + (c.ignoredBefore ? ", ignored" : "") +
                                 (c.catchIgnoredInterrupt ? ", caught when ignored" : "");
        const Disposition before(c.signo, c.ignoredBefore ? SIG_IGN : earlierHandler);
        {
            const base::InterruptRequests requests(c.catchIgnoredInterrupt);
            EXPECT_FALSE(base::InterruptRequests::requested()) << what;
            std::raise(c.signo);
            EXPECT_EQ(base::InterruptRequests::requested(), c.asks) << what;
        }
        EXPECT_EQ(handlerOf(c.signo), c.ignoredBefore ? SIG_IGN : earlierHandler) << what;
        g_earlierHandlerRan = 0;
        if (!c.ignoredBefore) {
            std::raise(c.signo);
            EXPECT_EQ(g_earlierHandlerRan, 1) << what;
        }
    }
}
