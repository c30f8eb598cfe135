// SPDX-License-Identifier: GPL-3.0-or-later
#include "flying/FlightFollower.h"

namespace flying {

FlightFollower::FlightFollower(flightplan::FlightPlan plan, follow::SequencingRules rules)
    : m_plan(std::move(plan)), m_rules(rules)
{
}

const FollowFrame& FlightFollower::update(const simlink::AircraftSample& sample)
{
    const follow::GeoPoint position{sample.latitude, sample.longitude};
    m_state = follow::advance(m_plan, m_state, position, m_rules);
    FollowFrame frame;
    frame.sample = sample;
    m_frame = frame;
    refresh();
    return *m_frame;
}

void FlightFollower::pickLeg(std::size_t leg)
{
    m_state = follow::pickLeg(m_plan, leg);
    if (m_frame) {
        m_state = follow::advance(m_plan, m_state, {m_frame->sample.latitude, m_frame->sample.longitude}, m_rules);
        refresh();
    }
}

void FlightFollower::refresh()
{
    m_frame->state = m_state;
    if (m_plan.legs.empty() || !m_state.leg)
        return;
    m_frame->strip = follow::navStrip(m_plan, *m_state.leg, {m_frame->sample.latitude, m_frame->sample.longitude},
                                      m_frame->sample.groundSpeedKt.value_or(0.0));
    const std::optional<follow::StationTuning>& station = m_frame->strip.station;
    const std::pair<std::size_t, std::size_t> key{*m_state.leg, station ? station->waypoint : 0};
    if (!m_autoTune || !station || m_tuned == key)
        return;
    if (std::optional<simlink::TuneCommand> command = tuneCommandFor(*station)) {
        m_pendingTune = command;
        m_tuned = key;
    }
}

std::optional<simlink::TuneCommand> FlightFollower::takeAutoTune()
{
    std::optional<simlink::TuneCommand> command;
    command.swap(m_pendingTune);
    return command;
}

std::optional<simlink::TuneCommand> FlightFollower::tuneCommand() const
{
    if (!m_frame || !m_frame->strip.station)
        return std::nullopt;
    return tuneCommandFor(*m_frame->strip.station);
}

std::optional<simlink::TuneCommand> tuneCommandFor(const follow::StationTuning& station)
{
    if (!station.frequency)
        return std::nullopt;
    // An NDB on the ADF takes the frequency alone: the bearing is the
    // pilot's to hold. NAV1 takes the course as its OBS.
    const std::optional<double> frequency = station.ndb ? follow::adfFrequencyKhz(*station.frequency)
                                                        : follow::navFrequencyMhz(*station.frequency);
    if (!frequency)
        return std::nullopt;
    simlink::TuneCommand command;
    command.radio = station.ndb ? simlink::Radio::Adf1 : simlink::Radio::Nav1;
    command.frequency = *frequency;
    if (!station.ndb)
        command.courseDeg = station.courseDeg;
    return command;
}

}  // namespace flying
