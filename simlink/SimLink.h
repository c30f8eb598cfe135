// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simlink/SimSample.h"

#include <functional>
#include <memory>
#include <string>

namespace simlink {

enum class SimulatorKind { FlightGear, XPlane };

struct LinkAddress {
    SimulatorKind kind = SimulatorKind::FlightGear;
    std::string host = "localhost";
    int port = 5401;
};

inline constexpr int FLIGHTGEAR_DEFAULT_PORT = 5401;
inline constexpr int XPLANE_DEFAULT_PORT = 49000;

// "flightgear", "xplane:10.0.0.2", "flightgear:localhost:5500". Throws
// std::invalid_argument naming what is wrong. A host of IPv6 digits goes
// in brackets: "xplane:[::1]:49000".
LinkAddress parseLinkAddress(const std::string& text);
const char* kindName(SimulatorKind kind);  // "FlightGear", "X-Plane"
// "FlightGear on localhost:5401"
std::string describe(const LinkAddress& address);

// What the link calls, always on its own thread, never two at once: every
// update it reads and every change of its state. The calls must return
// promptly (a window posts them on to its own thread).
struct LinkHandlers {
    std::function<void(const AircraftSample&)> onSample;
    std::function<void(const LinkStatus&)> onStatus;
};

// A live connection to one simulator. It runs on a thread of its own from
// the moment it is opened: it connects, reads the aircraft at least twice
// a second, says within 3 seconds when the simulator stops answering, and
// connects again by itself until it is destroyed. Nothing the simulator
// sends stops it. Destroying it stops the thread (within about a second)
// and, where the protocol has such a thing, takes leave of the simulator.
class SimLink {
public:
    virtual ~SimLink() = default;
    // Queued and sent with the next update; safe from any thread. The
    // latest command for each radio replaces one not yet sent.
    virtual void tune(const TuneCommand& command) = 0;
    virtual const LinkAddress& address() const = 0;
};

std::unique_ptr<SimLink> openLink(const LinkAddress& address, LinkHandlers handlers);

}  // namespace simlink
