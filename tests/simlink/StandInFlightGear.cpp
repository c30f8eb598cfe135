// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/simlink/StandInFlightGear.h"
#include "tests/support/LoopbackPort.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <stdexcept>

namespace standin {

namespace {

int listenOn(int port)
{
    const int fd = testsupport::boundLoopbackSocket(SOCK_STREAM, port);
    if (fd < 0 || listen(fd, 4) != 0) {
        if (fd >= 0)
            close(fd);
        throw std::runtime_error(std::string("stand-in FlightGear cannot listen: ") + std::strerror(errno));
    }
    return fd;
}

void sendAllBlocking(int fd, const std::string& data, bool trickle)
{
    std::size_t at = 0;
    while (at < data.size()) {
        const std::size_t piece = trickle ? std::min<std::size_t>(3, data.size() - at) : data.size() - at;
        const ssize_t n = send(fd, data.data() + at, piece, MSG_NOSIGNAL);
        if (n <= 0)
            return;
        at += static_cast<std::size_t>(n);
        if (trickle)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

}  // namespace

StandInFlightGear::StandInFlightGear()
{
    m_listener = listenOn(0);
    m_port = testsupport::boundPort(m_listener);
    m_thread = std::thread([this] { serve(); });
}

StandInFlightGear::~StandInFlightGear()
{
    m_stop = true;
    m_thread.join();
    if (m_listener >= 0)
        close(m_listener);
}

void StandInFlightGear::setProperty(const std::string& path, const std::string& value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_properties[path] = value;
}

std::string StandInFlightGear::property(const std::string& path)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_properties.find(path);
    return found == m_properties.end() ? std::string() : found->second;
}

std::vector<std::string> StandInFlightGear::sets()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_sets;
}

void StandInFlightGear::drop() { m_dropped = true; }
void StandInFlightGear::resume() { m_dropped = false; }

std::string StandInFlightGear::strayLine()
{
    static const char* const strays[] = {"garbage \x01\x02\xff", "", "nan", "-ERR unknown", "1e999",
                                         "/position/latitude-deg = '12'", "u999999"};
    return std::string(strays[m_garbageCount++ % (sizeof strays / sizeof *strays)]) + "\r\n";
}

void StandInFlightGear::answer(int, const std::string& line, std::string& out)
{
    const std::size_t space = line.find(' ');
    const std::string command = line.substr(0, space);
    const std::string rest = space == std::string::npos ? std::string() : line.substr(space + 1);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (command == "get") {
        ++m_gets;
        const auto found = m_properties.find(rest);
        if (found == m_properties.end())
            out += "\r\n";
        else
            out += found->second + "\r\n";
    } else if (command == "set") {
        const std::size_t split = rest.find(' ');
        const std::string path = rest.substr(0, split);
        const std::string value = split == std::string::npos ? std::string() : rest.substr(split + 1);
        m_properties[path] = value;
        m_sets.push_back(path + "=" + value);
    }
}

void StandInFlightGear::serve()
{
    int client = -1;
    std::string pending;
    while (!m_stop) {
        if (m_dropped) {
            if (client >= 0)
                close(client);
            client = -1;
            if (m_listener >= 0)
                close(m_listener);
            m_listener = -1;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            continue;
        }
        if (m_listener < 0)
            m_listener = listenOn(m_port);
        pollfd p{client >= 0 ? client : m_listener, POLLIN, 0};
        if (poll(&p, 1, 20) != 1)
            continue;
        if (client < 0) {
            client = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
            pending.clear();
            continue;
        }
        char buffer[4096];
        const ssize_t n = recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) {
            close(client);
            client = -1;
            continue;
        }
        pending.append(buffer, static_cast<std::size_t>(n));
        // Stray lines before every answer, and now and then one within it
        // (after its third line) and half a line left hanging.
        ++m_chunks;
        std::string out;
        if (m_garbage)
            out += strayLine();
        std::size_t end;
        int lines = 0;
        while ((end = pending.find('\n')) != std::string::npos) {
            std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            answer(client, line, out);
            if (m_garbage && ++lines == 3 && m_chunks % 4 == 0)
                out += strayLine();
        }
        // Half a line, finished by the next answer's stray line.
        if (m_garbage)
            out += "half a line with no end ";
        sendAllBlocking(client, out, m_trickle);
    }
    if (client >= 0)
        close(client);
}

}  // namespace standin
