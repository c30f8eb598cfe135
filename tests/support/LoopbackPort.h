// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testsupport {

// A loopback port nobody listens on, found by binding to port 0 and letting
// the socket go: `type` is SOCK_STREAM for TCP or SOCK_DGRAM for UDP. Another
// process may take it in between; tests that need it held bind it themselves.
inline int unusedLoopbackPort(int type = SOCK_STREAM)
{
    const int probe = socket(AF_INET, type, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    close(probe);
    return ntohs(address.sin_port);
}

}  // namespace testsupport
