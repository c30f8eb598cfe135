// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simlink/LinkWorker.h"

namespace simlink {

// X-Plane through its UDP interface (XPlaneProtocol.h): subscriptions to
// the aircraft's datarefs, renewed while X-Plane is silent (a restarted
// X-Plane has forgotten them), the tune commands as DREF requests, and the
// subscriptions ended when the link closes.
class XPlaneLink final : public LinkWorker {
public:
    XPlaneLink(LinkAddress address, LinkHandlers handlers);
    ~XPlaneLink() override;

    // Samples are handed on at most this often, however fast X-Plane sends.
    static constexpr std::chrono::milliseconds DELIVERY_INTERVAL{200};

private:
    void run() override;
    const char* simulatorName() const override { return "X-Plane"; }
    std::string howToStart() const override;
};

}  // namespace simlink
