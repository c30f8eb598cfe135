// SPDX-License-Identifier: GPL-3.0-or-later
#include "simlink/Socket.h"

#include <cerrno>
#include <chrono>
#include <cstring>

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace simlink {

namespace {

struct AddressList {
    addrinfo* head = nullptr;
    ~AddressList()
    {
        if (head)
            freeaddrinfo(head);
    }
};

bool resolve(const std::string& host, int port, int socketType, AddressList& list, std::string& error)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = socketType;
    const std::string service = std::to_string(port);
    const int rc = getaddrinfo(host.c_str(), service.c_str(), &hints, &list.head);
    if (rc != 0) {
        error = "cannot find the host " + host + ": " + gai_strerror(rc);
        return false;
    }
    return true;
}

int openNonBlocking(const addrinfo& address)
{
    const int fd = socket(address.ai_family, address.ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK,
                          address.ai_protocol);
    return fd;
}

}  // namespace

Socket& Socket::operator=(Socket&& other) noexcept
{
    if (this != &other) {
        close();
        m_fd = other.m_fd;
        other.m_fd = -1;
    }
    return *this;
}

Socket::~Socket() { close(); }

void Socket::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

Socket connectTcp(const std::string& host, int port, int timeoutMs, std::string& error)
{
    AddressList list;
    if (!resolve(host, port, SOCK_STREAM, list, error))
        return Socket();
    error = "nothing answers";
    for (const addrinfo* a = list.head; a; a = a->ai_next) {
        Socket socket(openNonBlocking(*a));
        if (!socket.isOpen())
            continue;
        if (connect(socket.fd(), a->ai_addr, a->ai_addrlen) != 0 && errno != EINPROGRESS) {
            error = std::strerror(errno);
            continue;
        }
        pollfd p{socket.fd(), POLLOUT, 0};
        if (poll(&p, 1, timeoutMs) != 1) {
            error = "no answer within " + std::to_string(timeoutMs / 1000.0).substr(0, 3) + " s";
            continue;
        }
        int soError = 0;
        socklen_t length = sizeof soError;
        getsockopt(socket.fd(), SOL_SOCKET, SO_ERROR, &soError, &length);
        if (soError != 0) {
            error = std::strerror(soError);
            continue;
        }
        error.clear();
        return socket;
    }
    return Socket();
}

Socket connectUdp(const std::string& host, int port, std::string& error)
{
    AddressList list;
    if (!resolve(host, port, SOCK_DGRAM, list, error))
        return Socket();
    // A datagram socket "connects" to any address without a word from the
    // peer, so the first address taken is the one used: IPv4 first, where
    // a simulator on "localhost" listens (::1 would refuse every datagram).
    for (const int family : {AF_INET, AF_INET6}) {
        for (const addrinfo* a = list.head; a; a = a->ai_next) {
            if (a->ai_family != family)
                continue;
            Socket socket(openNonBlocking(*a));
            if (socket.isOpen() && connect(socket.fd(), a->ai_addr, a->ai_addrlen) == 0)
                return socket;
            error = std::strerror(errno);
        }
    }
    return Socket();
}

bool waitReadable(const Socket& socket, int timeoutMs)
{
    pollfd p{socket.fd(), POLLIN, 0};
    return poll(&p, 1, timeoutMs) == 1;
}

bool sendAll(const Socket& socket, const std::string& data, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::size_t sent = 0;
    while (sent < data.size()) {
        const ssize_t n = send(socket.fd(), data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return false;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0)
            return false;
        pollfd p{socket.fd(), POLLOUT, 0};
        poll(&p, 1, static_cast<int>(left));
    }
    return true;
}

}  // namespace simlink
