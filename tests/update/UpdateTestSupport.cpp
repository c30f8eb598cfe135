// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/update/UpdateTestSupport.h"

#include "tests/navdb/NavdbTestSupport.h"

#include <arpa/inet.h>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace update::test {

namespace {

std::string quoted(const std::string& text)
{
    std::string result = "'";
    for (char c : text) {
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return result + "'";
}

std::string commandLine(const std::string& home, const std::vector<std::string>& args)
{
    std::string command = "exec env -u MERIDANE_OURAIRPORTS_URL -u XDG_DATA_HOME HOME=" + quoted(home) +
                          " XDG_CACHE_HOME=" + quoted(home + "/cache") + " " + quoted(MERIDANE_NAVDB_EXE);
    for (const std::string& arg : args) {
        command += " " + quoted(arg);
    }
    return command;
}

pid_t spawnBash(const std::string& script, const std::string& out, const std::string& err)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::freopen(out.c_str(), "w", stdout);
        std::freopen(err.c_str(), "w", stderr);
        for (const int signo : {SIGINT, SIGTERM, SIGHUP}) {
            std::signal(signo, SIG_DFL);
        }
        ::execl("/bin/bash", "bash", "-c", script.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return pid;
}

ProgramRun collect(pid_t pid, const std::string& out, const std::string& err)
{
    int status = 0;
    ::waitpid(pid, &status, 0);
    ProgramRun run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = navdb::test::readFile(out);
    run.err = navdb::test::readFile(err);
    std::remove(out.c_str());
    std::remove(err.c_str());
    return run;
}

}  // namespace

LoopbackServer::LoopbackServer(const std::string& root, const std::string& log) : m_log(log)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        throw std::runtime_error("pipe failed");
    }
    m_pid = ::fork();
    if (m_pid == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        ::execlp("python3", "python3", MERIDANE_LOOPBACK_SERVER, root.c_str(), log.c_str(),
                 static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    std::string line;
    char c = 0;
    while (::read(pipeFds[0], &c, 1) == 1 && c != '\n') {
        line += c;
    }
    ::close(pipeFds[0]);
    m_port = std::atoi(line.c_str());
    if (m_port <= 0) {
        throw std::runtime_error("the loopback server did not start");
    }
}

LoopbackServer::~LoopbackServer()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
}

std::string LoopbackServer::url(const std::string& scenario) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + "/" + scenario + "/";
}

std::vector<std::string> LoopbackServer::requests() const
{
    std::ifstream in(m_log);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string deadServerUrl()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), size);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    ::close(fd);
    return "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/ok/";
}

ProgramRun runNavdb(const std::string& home, const std::vector<std::string>& args, const std::string& shellPrefix)
{
    const std::string out = home + "/run.out";
    const std::string err = home + "/run.err";
    return collect(spawnBash(shellPrefix + commandLine(home, args), out, err), out, err);
}

RunningNavdb::RunningNavdb(const std::string& home, const std::vector<std::string>& args)
    : m_out(home + "/run.out"), m_err(home + "/run.err")
{
    m_pid = spawnBash(commandLine(home, args), m_out, m_err);
}

ProgramRun RunningNavdb::finish()
{
    return collect(m_pid, m_out, m_err);
}

}  // namespace update::test
