// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simlink/LinkWorker.h"

namespace simlink {

// FlightGear through its property server (FlightGearProtocol.h): a TCP
// connection, a batch of gets four times a second, the tune commands as
// sets before the next batch.
class FlightGearLink final : public LinkWorker {
public:
    FlightGearLink(LinkAddress address, LinkHandlers handlers);
    ~FlightGearLink() override;

    static constexpr std::chrono::milliseconds UPDATE_INTERVAL{250};

private:
    void run() override;
    // One connection, until it fails or the link stops; true when it
    // delivered anything.
    bool converse(class Socket& socket);
    const char* simulatorName() const override { return "FlightGear"; }
    std::string howToStart() const override;
};

}  // namespace simlink
