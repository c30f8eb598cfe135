// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>

namespace testsupport {

// A socket of `type` (SOCK_STREAM or SOCK_DGRAM) bound to `port` on the
// loopback address, 0 for an ephemeral one, so that parallel runs never
// collide; -1 when it cannot be bound. A port given again after its
// listener closed is taken at once (SO_REUSEADDR).
inline int boundLoopbackSocket(int type, int port = 0)
{
    const int fd = socket(AF_INET, type | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    const int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// The port a bound socket holds.
inline int boundPort(int fd)
{
    sockaddr_in address{};
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

// A loopback port nobody listens on, found by binding and letting go.
// Another process may take it in between; tests that need it held keep the
// socket of boundLoopbackSocket instead.
inline int unusedLoopbackPort(int type = SOCK_STREAM)
{
    const int probe = boundLoopbackSocket(type);
    const int port = boundPort(probe);
    close(probe);
    return port;
}

}  // namespace testsupport
