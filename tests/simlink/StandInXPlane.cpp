// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/simlink/StandInXPlane.h"
#include "tests/support/LoopbackPort.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace standin {

namespace {

std::int32_t int32At(const char* p)
{
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(p[i])) << (8 * i);
    std::int32_t value;
    std::memcpy(&value, &bits, 4);
    return value;
}

void putBytes(std::string& out, const void* value)
{
    std::uint32_t bits;
    std::memcpy(&bits, value, 4);
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((bits >> (8 * i)) & 0xff);
}

}  // namespace

StandInXPlane::StandInXPlane()
{
    m_socket = testsupport::boundLoopbackSocket(SOCK_DGRAM);
    if (m_socket < 0)
        throw std::runtime_error("stand-in X-Plane cannot bind");
    m_port = testsupport::boundPort(m_socket);
    m_thread = std::thread([this] { serve(); });
}

StandInXPlane::~StandInXPlane()
{
    m_stop = true;
    m_thread.join();
    close(m_socket);
}

void StandInXPlane::setValue(const std::string& dataref, float value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_values[dataref] = value;
}

std::vector<std::string> StandInXPlane::drefs()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_drefs;
}

std::map<std::string, int> StandInXPlane::subscriptions()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_rates;
}

void StandInXPlane::quit()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_quit = true;
    m_subscriptions.clear();
    m_rates.clear();
}

void StandInXPlane::resume(int missedRequests)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_missedRequests = missedRequests;
    m_quit = false;
}

void StandInXPlane::handle(const char* data, std::size_t size, const void* from, unsigned fromLength)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (size == 413 && std::memcmp(data, "RREF\0", 5) == 0) {
        if (m_missedRequests > 0) {
            --m_missedRequests;
            return;
        }
        const int rate = int32At(data + 5);
        const int index = int32At(data + 9);
        const std::string path(data + 13, strnlen(data + 13, 400));
        m_peer.assign(static_cast<const unsigned char*>(from), static_cast<const unsigned char*>(from) + fromLength);
        m_rates[path] = rate;
        for (auto it = m_subscriptions.begin(); it != m_subscriptions.end(); ++it) {
            if (it->index == index) {
                m_subscriptions.erase(it);
                break;
            }
        }
        if (rate > 0)
            m_subscriptions.push_back({index, rate, path});
    } else if (size == 509 && std::memcmp(data, "DREF\0", 5) == 0) {
        float value;
        const std::int32_t bits = int32At(data + 5);
        std::memcpy(&value, &bits, 4);
        const std::string path(data + 9, strnlen(data + 9, 500));
        // X-Plane's description: the path, its NUL, then spaces.
        for (std::size_t i = 9 + path.size() + 1; i < size; ++i)
            if (data[i] != ' ') {
                ++m_badPadding;
                break;
            }
        char text[32];
        std::snprintf(text, sizeof text, "%g", value);
        m_drefs.push_back(path + "=" + text);
        m_values[path] = value;
    }
}

void StandInXPlane::serve()
{
    auto lastSend = std::chrono::steady_clock::now();
    unsigned round = 0;
    while (!m_stop) {
        pollfd p{m_socket, POLLIN, 0};
        if (poll(&p, 1, 10) == 1) {
            char buffer[2048];
            sockaddr_storage from{};
            socklen_t length = sizeof from;
            const ssize_t n = recvfrom(m_socket, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &length);
            if (n > 0 && !m_quit)
                handle(buffer, static_cast<std::size_t>(n), &from, length);
        }
        const auto now = std::chrono::steady_clock::now();
        if (now - lastSend < std::chrono::milliseconds(100))
            continue;
        lastSend = now;
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_quit || m_subscriptions.empty() || m_peer.empty())
            continue;
        std::string answer("RREF,", 5);
        for (const Subscription& s : m_subscriptions) {
            const auto found = m_values.find(s.path);
            const float value = found == m_values.end() ? 0.0f : found->second;
            putBytes(answer, &s.index);
            putBytes(answer, &value);
        }
        const sockaddr* peer = reinterpret_cast<const sockaddr*>(m_peer.data());
        const auto peerLength = static_cast<socklen_t>(m_peer.size());
        if (m_garbage) {
            // Before every answer something that is not one: too short, another
            // message, an odd length, indexes of nobody's, values no figure has.
            ++round;
            std::string junk;
            switch (round % 5) {
            case 0: junk = "RRE"; break;
            case 1: junk = std::string("DATA*\0\0\0\0", 9) + std::string(36, '\x7f'); break;
            case 2: junk = answer + "xyz"; break;
            case 3: {
                junk = "RREF,";
                const std::int32_t index = 1 << 30;
                const float huge = std::numeric_limits<float>::max();
                putBytes(junk, &index);
                putBytes(junk, &huge);
                break;
            }
            default: {
                junk = "RREF,";
                const float nan = std::nanf("");
                for (std::int32_t index = 0; index < 12; ++index) {
                    putBytes(junk, &index);
                    putBytes(junk, &nan);
                }
                break;
            }
            }
            sendto(m_socket, junk.data(), junk.size(), 0, peer, peerLength);
        }
        sendto(m_socket, answer.data(), answer.size(), 0, peer, peerLength);
    }
}

}  // namespace standin
