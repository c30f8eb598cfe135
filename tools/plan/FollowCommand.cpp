// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/plan/FollowCommand.h"

#include "base/InterruptRequests.h"
#include "flying/FlightFollower.h"
#include "flying/FollowText.h"
#include "planning/PlanBuilder.h"
#include "simlink/SimLink.h"
#include "tools/common/CommandLineOptions.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <iostream>
#include <mutex>
#include <optional>
#include <variant>

namespace {

// What the link's thread hands to the main one.
class EventQueue {
public:
    using Event = std::variant<simlink::AircraftSample, simlink::LinkStatus>;

    void push(Event event)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            // A slow terminal must not make the queue grow without end: the
            // oldest samples go first.
            if (m_events.size() > 64)
                m_events.pop_front();
            m_events.push_back(std::move(event));
        }
        m_ready.notify_one();
    }

    std::optional<Event> pop(std::chrono::milliseconds wait)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_ready.wait_for(lock, wait, [this] { return !m_events.empty(); }))
            return std::nullopt;
        Event event = std::move(m_events.front());
        m_events.pop_front();
        return event;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<Event> m_events;
};

flightplan::FlightPlan chosenPlan(CDatabase& database, const std::string& departureID,
                                  const std::string& destinationID, const std::vector<std::string>* listedBeaconIDs,
                                  const PlanCommandLine& options)
{
    // Made as the planner's other outputs make it, the best route no lower
    // than the listed one.
    planning::PlanBuilder builder(database);
    const planning::PlanPair plans =
        builder.buildPlans(departureID, listedBeaconIDs, destinationID, options.choices, options.BestRoute());
    return plans.plan(options.choices.routeKind);
}

}  // namespace

int FollowPlan(CDatabase& database, const std::string& departureID, const std::string& destinationID,
               const std::vector<std::string>* listedBeaconIDs, const PlanCommandLine& options)
{
    const simlink::LinkAddress address = simlink::parseLinkAddress(options.follow);
    flying::FlightFollower follower(chosenPlan(database, departureID, destinationID, listedBeaconIDs, options));
    follower.setAutoTune(options.tune);
    const bool json = options.format == PlanCommandLine::Format::Json;
    std::cerr << "meridane-plan: following " << follower.plan().route << " with " << simlink::describe(address)
              << "; Ctrl-C stops\n";

    // Following has no end but arrival: it stops at Ctrl-C or kill -INT
    // even where it was started in the background.
    const base::InterruptRequests interruptions(true);

    EventQueue events;
    std::unique_ptr<simlink::SimLink> link = simlink::openLink(
        address, {[&](const simlink::AircraftSample& s) { events.push(s); },
                  [&](const simlink::LinkStatus& s) { events.push(s); }});

    using Clock = std::chrono::steady_clock;
    std::string linkText = "connecting";
    std::optional<Clock::time_point> lastLine;
    bool fresh = false;  // a frame not yet printed
    int status = tools::EXIT_OK;
    while (!base::InterruptRequests::requested()) {
        if (std::optional<EventQueue::Event> event = events.pop(std::chrono::milliseconds(100))) {
            if (const auto* s = std::get_if<simlink::LinkStatus>(&*event)) {
                std::cerr << "meridane-plan: " << s->message << "\n";
                linkText = s->state == simlink::LinkState::Connected ? "connected" : s->message;
            } else {
                follower.update(std::get<simlink::AircraftSample>(*event));
                if (std::optional<simlink::TuneCommand> command = follower.takeAutoTune())
                    link->tune(*command);
                fresh = true;
            }
        }
        const Clock::time_point now = Clock::now();
        const bool arrived = follower.frame() && follower.frame()->state.arrived;
        if (fresh && (arrived || !lastLine || now - *lastLine >= std::chrono::seconds(1))) {
            const flying::FollowFrame& frame = *follower.frame();
            std::cout << (json ? flying::followJsonLine(follower.plan(), frame, linkText)
                               : flying::followTextLine(follower.plan(), frame))
                      << std::endl;
            if (!std::cout) {
                status = tools::EXIT_FAILED;
                break;
            }
            lastLine = now;
            fresh = false;
        }
        if (arrived) {
            std::cerr << "meridane-plan: arrived at " << follower.plan().destination().ident << "\n";
            break;
        }
    }
    // The last tune command goes out before the link closes.
    link.reset();
    return status;
}
