// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simlink/SimLink.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace simlink {

// What every link shares: its thread, the tune commands waiting for it,
// and handing updates and changes of state to the handlers.
class LinkWorker : public SimLink {
public:
    void tune(const TuneCommand& command) override;
    const LinkAddress& address() const override { return m_address; }

    // How long a link waits for its simulator before it says the link is
    // lost, and between attempts to connect again.
    static constexpr std::chrono::milliseconds SILENCE_LIMIT{2500};
    static constexpr std::chrono::milliseconds RETRY_INTERVAL{1000};

protected:
    LinkWorker(LinkAddress address, LinkHandlers handlers);
    ~LinkWorker() override;

    // Derived classes start the thread last in their constructor and stop
    // it first in their destructor, so that run() never outlives them.
    void startThread();
    void stopThread();
    virtual void run() = 0;

    bool stopping() const { return m_stop.load(); }
    // Waits, woken early by stopThread; false when the link is stopping.
    bool pause(std::chrono::milliseconds duration);
    std::vector<TuneCommand> takeTunes();

    // "No X-Plane answers on host:port (why) — " and how to start the
    // simulator so that it does: what a link reports while nothing answers.
    std::string notAnswering(const std::string& why) const;
    virtual const char* simulatorName() const = 0;
    virtual std::string howToStart() const = 0;

    // Hands on a change of state; the same state and message twice is said once.
    void report(LinkState state, const std::string& message);
    void deliver(const AircraftSample& sample);

private:
    LinkAddress m_address;
    LinkHandlers m_handlers;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::vector<TuneCommand> m_tunes;
    std::optional<LinkStatus> m_lastStatus;
};

}  // namespace simlink
