// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace standin {

// A small FlightGear property server on loopback (an ephemeral port): it
// answers "data", "get" and "set" as FlightGear 2020.3 does in data mode
// (a get's raw value and CRLF, an empty line for a node it lacks, nothing
// for a set), one client at a time. It can misbehave on
// purpose: stray lines and garbage between replies, replies cut in pieces,
// a dropped connection with no one listening for a while.
class StandInFlightGear {
public:
    StandInFlightGear();
    ~StandInFlightGear();

    int port() const { return m_port; }
    void setProperty(const std::string& path, const std::string& value);
    std::string property(const std::string& path);
    // Every set command received, as "path=value", in order.
    std::vector<std::string> sets();
    std::size_t getsAnswered() const { return m_gets.load(); }

    // Stray lines before every reply, from the next command on.
    void setGarbage(bool on) { m_garbage = on; }
    // Replies sent a few bytes at a time.
    void setTrickle(bool on) { m_trickle = on; }
    // Drops the client and stops listening; listens again on the same port
    // after resume().
    void drop();
    void resume();

private:
    void serve();
    void answer(int client, const std::string& line, std::string& out);
    std::string strayLine();

    int m_port = 0;
    int m_listener = -1;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_dropped{false};
    std::atomic<bool> m_garbage{false};
    std::atomic<bool> m_trickle{false};
    std::atomic<std::size_t> m_gets{0};
    std::mutex m_mutex;
    std::map<std::string, std::string> m_properties;
    std::vector<std::string> m_sets;
    unsigned m_garbageCount = 0;
    unsigned m_chunks = 0;
    std::thread m_thread;
};

}  // namespace standin
