// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simlink/SimLink.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

// Keeps what a link hands on, from its thread, for a test to wait for.
class LinkRecorder {
public:
    simlink::LinkHandlers handlers()
    {
        return {[this](const simlink::AircraftSample& s) {
                    std::lock_guard<std::mutex> lock(m_mutex);
                    m_samples.push_back(s);
                    m_changed.notify_all();
                },
                [this](const simlink::LinkStatus& s) {
                    std::lock_guard<std::mutex> lock(m_mutex);
                    m_statuses.push_back(s);
                    m_changed.notify_all();
                }};
    }

    // Waits up to `limit` for the first sample the predicate accepts among
    // those arriving from now on (and those since the last call).
    bool waitForSample(const std::function<bool(const simlink::AircraftSample&)>& accept,
                       std::chrono::milliseconds limit, simlink::AircraftSample* found = nullptr)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, limit, [&] {
            for (; m_seen < m_samples.size(); ++m_seen) {
                if (accept(m_samples[m_seen])) {
                    if (found)
                        *found = m_samples[m_seen];
                    ++m_seen;
                    return true;
                }
            }
            return false;
        });
    }

    bool waitForStatus(simlink::LinkState state, std::chrono::milliseconds limit, simlink::LinkStatus* found = nullptr)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, limit, [&] {
            for (; m_seenStatus < m_statuses.size(); ++m_seenStatus) {
                if (m_statuses[m_seenStatus].state == state) {
                    if (found)
                        *found = m_statuses[m_seenStatus];
                    ++m_seenStatus;
                    return true;
                }
            }
            return false;
        });
    }

    std::size_t sampleCount()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_samples.size();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<simlink::AircraftSample> m_samples;
    std::vector<simlink::LinkStatus> m_statuses;
    std::size_t m_seen = 0;
    std::size_t m_seenStatus = 0;
};
