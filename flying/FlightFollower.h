// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flightplan/FlightPlan.h"
#include "follow/LegSequencer.h"
#include "follow/NavStrip.h"
#include "simlink/SimSample.h"

#include <cstddef>
#include <optional>
#include <utility>

namespace flying {

// One moment of a followed flight: the simulator's sample and what the
// plan makes of it.
struct FollowFrame {
    simlink::AircraftSample sample;
    follow::FollowState state;
    follow::NavStrip strip;
};

// Follows one plan through the samples of a simulator link, for the
// terminal and the window alike: the active leg, the strip, and the radio
// settings to send. It holds no link; whoever owns both passes the tune
// commands on. Not thread-safe: fed from one thread.
class FlightFollower {
public:
    explicit FlightFollower(flightplan::FlightPlan plan, follow::SequencingRules rules = {});

    const flightplan::FlightPlan& plan() const { return m_plan; }
    // Takes a sample; the frame it makes is frame() from then on.
    const FollowFrame& update(const simlink::AircraftSample& sample);
    const std::optional<FollowFrame>& frame() const { return m_frame; }

    // The pilot's choice of leg, made the active one at once.
    void pickLeg(std::size_t leg);

    // With auto-tune on, the strip's station and course are tuned at the
    // first sample, at each new leg (the same beacon flown on takes a new
    // course) and at the changeover point.
    void setAutoTune(bool on) { m_autoTune = on; }
    bool autoTune() const { return m_autoTune; }
    // What auto-tune asks to be sent after the last update, once.
    std::optional<simlink::TuneCommand> takeAutoTune();

    // The setting for the strip's station now ("Tune NAV1"); nullopt
    // without a station or a frequency a receiver takes.
    std::optional<simlink::TuneCommand> tuneCommand() const;

private:
    void refresh();

    flightplan::FlightPlan m_plan;
    follow::SequencingRules m_rules;
    follow::FollowState m_state;
    std::optional<FollowFrame> m_frame;
    bool m_autoTune = false;
    // The leg and the station's waypoint auto-tune tuned last.
    std::optional<std::pair<std::size_t, std::size_t>> m_tuned;
    std::optional<simlink::TuneCommand> m_pendingTune;
};

// The radio setting for a station: NAV1's frequency and the course as OBS.
// (Where a leg is flown by NDB, this is where its ADF setting belongs.)
std::optional<simlink::TuneCommand> tuneCommandFor(const follow::StationTuning& station);

}  // namespace flying
