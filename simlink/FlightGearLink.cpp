// SPDX-License-Identifier: GPL-3.0-or-later
#include "simlink/FlightGearLink.h"

#include "simlink/FlightGearProtocol.h"
#include "simlink/Socket.h"

#include <cerrno>

#include <sys/socket.h>

namespace simlink {

namespace {

constexpr int CONNECT_TIMEOUT_MS = 2000;
constexpr int SEND_TIMEOUT_MS = 1000;

}  // namespace

FlightGearLink::FlightGearLink(LinkAddress address, LinkHandlers handlers)
    : LinkWorker(std::move(address), std::move(handlers))
{
    startThread();
}

FlightGearLink::~FlightGearLink() { stopThread(); }

std::string FlightGearLink::howToStart() const
{
    return "start it with --telnet=socket,bi,10," + address().host + "," + std::to_string(address().port) + ",tcp";
}

void FlightGearLink::run()
{
    report(LinkState::Connecting, "Connecting to " + describe(address()) + "…");
    while (!stopping()) {
        std::string error;
        Socket socket = connectTcp(address().host, address().port, CONNECT_TIMEOUT_MS, error);
        if (socket.isOpen()) {
            const bool answered = converse(socket);
            if (stopping())
                break;
            report(LinkState::Lost, answered ? "FlightGear on " + address().host + ":" +
                                                   std::to_string(address().port) +
                                                   " stopped answering; trying again…"
                                             : notAnswering("it does not speak the property protocol"));
        } else {
            report(LinkState::Lost, notAnswering(error));
        }
        if (!pause(RETRY_INTERVAL))
            break;
    }
}

bool FlightGearLink::converse(Socket& socket)
{
    if (!sendAll(socket, flightgear::greeting(), SEND_TIMEOUT_MS))
        return false;
    flightgear::ReplyReader reader;
    unsigned sequence = 0;
    bool delivered = false;
    auto lastAnswer = std::chrono::steady_clock::now();
    char buffer[4096];
    while (!stopping()) {
        const auto batchStart = std::chrono::steady_clock::now();
        std::string request;
        for (const TuneCommand& command : takeTunes())
            request += flightgear::tuneRequest(command);
        request += flightgear::batchRequest(++sequence);
        reader.expect(sequence);
        if (!sendAll(socket, request, SEND_TIMEOUT_MS))
            return delivered;

        // Read until this batch's replies are in, the simulator has been
        // silent too long, or the next update is due.
        bool answered = false;
        while (!stopping()) {
            const auto now = std::chrono::steady_clock::now();
            if (now - lastAnswer > SILENCE_LIMIT)
                return delivered;
            if (answered && now - batchStart >= UPDATE_INTERVAL)
                break;
            if (!waitReadable(socket, 100))
                continue;
            const ssize_t n = recv(socket.fd(), buffer, sizeof buffer, 0);
            if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
                return delivered;
            if (n < 0)
                continue;
            if (std::optional<std::vector<std::string>> replies = reader.feed(buffer, static_cast<std::size_t>(n))) {
                answered = true;
                lastAnswer = std::chrono::steady_clock::now();
                if (std::optional<AircraftSample> sample = flightgear::sampleFromReplies(*replies)) {
                    report(LinkState::Connected, "Connected to " + describe(address()));
                    deliver(*sample);
                    delivered = true;
                } else {
                    report(LinkState::Lost, describe(address()) + " answers but gives no position");
                }
            }
        }
    }
    return delivered;
}

}  // namespace simlink
