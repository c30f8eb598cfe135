// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace update::test {

// tests/update/loopback_server.py serving a directory on an ephemeral port of
// 127.0.0.1 for as long as the object lives.
class LoopbackServer {
public:
    LoopbackServer(const std::string& root, const std::string& log);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int port() const { return m_port; }
    // The address of a scenario ("ok", "404-runways.csv", ...), ending in '/'.
    std::string url(const std::string& scenario) const;
    // The requests served so far, "<path> <status>" each.
    std::vector<std::string> requests() const;

private:
    pid_t m_pid = -1;
    int m_port = 0;
    std::string m_log;
};

// An address where nothing listens: a port that was just free.
std::string deadServerUrl();

struct ProgramRun {
    int status = -1;  // exit status; -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs meridane-navdb with args in a clean environment (HOME and
// XDG_CACHE_HOME under home), through bash so that limits can be set first
// (shellPrefix, e.g. "ulimit -f 40;").
ProgramRun runNavdb(const std::string& home, const std::vector<std::string>& args,
                    const std::string& shellPrefix = std::string());

// Starts meridane-navdb as runNavdb does, without waiting; finish() collects it.
class RunningNavdb {
public:
    RunningNavdb(const std::string& home, const std::vector<std::string>& args);
    pid_t pid() const { return m_pid; }
    ProgramRun finish();

private:
    pid_t m_pid = -1;
    std::string m_out;
    std::string m_err;
};

}  // namespace update::test
