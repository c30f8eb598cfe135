// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/NonCopyable.h"

#include <string>

namespace simlink {

// An open socket, closed when dropped.
class Socket : base::NonCopyable {
public:
    Socket() = default;
    explicit Socket(int fd) : m_fd(fd) {}
    Socket(Socket&& other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }
    Socket& operator=(Socket&& other) noexcept;
    ~Socket();

    int fd() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }
    void close();

private:
    int m_fd = -1;
};

// A TCP connection to host:port within timeoutMs, non-blocking once made;
// a closed socket when there is none, `error` saying why in words.
Socket connectTcp(const std::string& host, int port, int timeoutMs, std::string& error);

// A UDP socket connected to host:port (so that only that peer's datagrams
// arrive and a closed port is reported), non-blocking.
Socket connectUdp(const std::string& host, int port, std::string& error);

// Waits up to timeoutMs for the socket to become readable; true when it is
// (or has failed, which the read then tells).
bool waitReadable(const Socket& socket, int timeoutMs);

// Sends all of `data` within timeoutMs; false when the peer is gone or
// will not take it in time.
bool sendAll(const Socket& socket, const std::string& data, int timeoutMs);

}  // namespace simlink
