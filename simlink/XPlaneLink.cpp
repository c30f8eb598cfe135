// SPDX-License-Identifier: GPL-3.0-or-later
#include "simlink/XPlaneLink.h"

#include "simlink/Socket.h"
#include "simlink/XPlaneProtocol.h"

#include <cerrno>
#include <cstring>

#include <sys/socket.h>

namespace simlink {

namespace {

void sendDatagram(const Socket& socket, const std::string& datagram)
{
    // A lost datagram is sent again with the next renewal; nothing to wait for.
    (void)send(socket.fd(), datagram.data(), datagram.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
}

void subscribeAll(const Socket& socket, int perSecond)
{
    for (std::size_t i = 0; i < xplane::sampleDatarefs().size(); ++i)
        sendDatagram(socket, xplane::subscribeRequest(static_cast<int>(i), perSecond));
}

}  // namespace

XPlaneLink::XPlaneLink(LinkAddress address, LinkHandlers handlers)
    : LinkWorker(std::move(address), std::move(handlers))
{
    startThread();
}

XPlaneLink::~XPlaneLink() { stopThread(); }

std::string XPlaneLink::howToStart() const
{
    return "start X-Plane and let it receive UDP on port " + std::to_string(address().port) + " (Settings, Network)";
}

void XPlaneLink::run()
{
    using Clock = std::chrono::steady_clock;
    report(LinkState::Connecting, "Connecting to " + describe(address()) + "…");
    Socket socket;
    xplane::DatarefValues values;
    Clock::time_point lastAnswer{}, lastSubscribe{}, lastDelivery{};
    const Clock::time_point opened = Clock::now();
    bool answering = false;
    char buffer[2048];
    while (!stopping()) {
        const Clock::time_point now = Clock::now();
        if (!socket.isOpen()) {
            std::string error;
            socket = connectUdp(address().host, address().port, error);
            if (!socket.isOpen()) {
                report(LinkState::Lost, notAnswering(error));
                if (!pause(RETRY_INTERVAL))
                    break;
                continue;
            }
            lastSubscribe = Clock::time_point{};
        }
        const Clock::time_point silentSince = answering ? lastAnswer : opened;
        if (now - silentSince > SILENCE_LIMIT) {
            report(LinkState::Lost, answering ? describe(address()) + " stopped answering; trying again…"
                                              : notAnswering("no answer"));
            answering = false;
            // An X-Plane that comes back may take only some of the renewed
            // subscriptions: what the others said before is not the aircraft
            // now, and no sample may be made of it until they answer again.
            values = xplane::DatarefValues();
        }
        if (!answering && now - lastSubscribe >= RETRY_INTERVAL) {
            subscribeAll(socket, xplane::UPDATES_PER_SECOND);
            lastSubscribe = now;
        }
        for (const TuneCommand& command : takeTunes())
            for (const std::string& request : xplane::tuneRequests(command))
                sendDatagram(socket, request);

        if (!waitReadable(socket, 100))
            continue;
        const ssize_t n = recv(socket.fd(), buffer, sizeof buffer, MSG_DONTWAIT);
        if (n < 0) {
            // A closed port comes back as a refused datagram: nothing listens there yet.
            if (errno == ECONNREFUSED && !answering)
                report(LinkState::Lost, notAnswering("nothing listens there"));
            continue;
        }
        const std::optional<std::vector<xplane::IndexedValue>> pairs =
            xplane::parseAnswer(buffer, static_cast<std::size_t>(n));
        if (!pairs || !values.take(*pairs))
            continue;
        const std::optional<AircraftSample> sample = values.sample();
        if (!sample)
            continue;
        lastAnswer = Clock::now();
        answering = true;
        report(LinkState::Connected, "Connected to " + describe(address()));
        if (lastAnswer - lastDelivery >= DELIVERY_INTERVAL) {
            lastDelivery = lastAnswer;
            deliver(*sample);
        }
    }
    if (socket.isOpen())
        subscribeAll(socket, 0);
}

}  // namespace simlink
