// SPDX-License-Identifier: GPL-3.0-or-later
#include "simlink/LinkWorker.h"

#include <algorithm>

namespace simlink {

LinkWorker::LinkWorker(LinkAddress address, LinkHandlers handlers)
    : m_address(std::move(address)), m_handlers(std::move(handlers))
{
}

LinkWorker::~LinkWorker() { stopThread(); }

void LinkWorker::startThread()
{
    m_thread = std::thread([this] { run(); });
}

void LinkWorker::stopThread()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

bool LinkWorker::pause(std::chrono::milliseconds duration)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_wake.wait_for(lock, duration, [this] { return m_stop.load(); });
    return !m_stop;
}

void LinkWorker::tune(const TuneCommand& command)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_tunes.erase(std::remove_if(m_tunes.begin(), m_tunes.end(),
                                 [&](const TuneCommand& queued) { return queued.radio == command.radio; }),
                  m_tunes.end());
    m_tunes.push_back(command);
}

std::vector<TuneCommand> LinkWorker::takeTunes()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<TuneCommand> tunes;
    tunes.swap(m_tunes);
    return tunes;
}

std::string LinkWorker::notAnswering(const std::string& why) const
{
    return std::string("No ") + simulatorName() + " answers on " + m_address.host + ":" +
           std::to_string(m_address.port) + " (" + why + ") — " + howToStart();
}

void LinkWorker::report(LinkState state, const std::string& message)
{
    if (m_lastStatus && m_lastStatus->state == state && m_lastStatus->message == message)
        return;
    m_lastStatus = LinkStatus{state, message};
    if (m_handlers.onStatus)
        m_handlers.onStatus(*m_lastStatus);
}

void LinkWorker::deliver(const AircraftSample& sample)
{
    if (m_handlers.onSample)
        m_handlers.onSample(sample);
}

}  // namespace simlink
