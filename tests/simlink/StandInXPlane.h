// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace standin {

// A small X-Plane UDP peer on loopback (an ephemeral port): it keeps the
// RREF subscriptions it is sent and answers each subscriber ten times a
// second with "RREF," and (index, value) pairs of its datarefs' values, as
// X-Plane 11 does; it records every DREF. It can go silent (paused or
// quit), forget its subscriptions (restarted), and send garbage datagrams.
class StandInXPlane {
public:
    StandInXPlane();
    ~StandInXPlane();

    int port() const { return m_port; }
    void setValue(const std::string& dataref, float value);
    // DREFs received, as "path=value".
    std::vector<std::string> drefs();
    // The subscriptions as they stand: dataref path -> rate; ended ones at 0.
    std::map<std::string, int> subscriptions();
    std::size_t requestsWithBadPadding() const { return m_badPadding.load(); }

    void setGarbage(bool on) { m_garbage = on; }
    // Silent, and every subscription forgotten, until resume().
    void quit();
    // Back, missing the first `missedRequests` subscription requests, as an
    // X-Plane still starting does.
    void resume(int missedRequests = 0);

private:
    void serve();
    void handle(const char* data, std::size_t size, const void* from, unsigned fromLength);

    int m_socket = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_quit{false};
    int m_missedRequests = 0;
    std::atomic<bool> m_garbage{false};
    std::atomic<std::size_t> m_badPadding{0};
    std::mutex m_mutex;
    std::map<std::string, float> m_values;
    struct Subscription {
        int index;
        int rate;
        std::string path;
    };
    std::vector<Subscription> m_subscriptions;
    std::map<std::string, int> m_rates;
    std::vector<unsigned char> m_peer;  // the subscriber's address
    std::vector<std::string> m_drefs;
    std::thread m_thread;
};

}  // namespace standin
