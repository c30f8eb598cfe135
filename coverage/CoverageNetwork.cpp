// SPDX-License-Identifier: GPL-3.0-or-later
#include "coverage/CoverageNetwork.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <stdexcept>
#include <tuple>
#include <utility>

namespace coverage {

namespace {

constexpr double POLAR_RADIUS_NM = base::WGS84_POLAR_RADIUS_M / METRES_PER_NM;
constexpr std::uint32_t NO_LEADER = std::numeric_limits<std::uint32_t>::max();
constexpr std::uint32_t BEING_FOUND = NO_LEADER - 1;
// One station in this many may reach farther than the others: the simulator
// gives a few stations ranges of hundreds of miles, most of them 25 to 130.
constexpr std::size_t FAR_REACHING_SHARE = 100;

}  // namespace

double LegLengths::lengthNm(std::uint32_t a, std::uint32_t b)
{
    if (a > b)
        std::swap(a, b);
    const auto [it, added] = m_known.try_emplace((static_cast<std::uint64_t>(a) << 32) | b, 0.0);
    if (added) {
        const Station& from = (*m_stations)[a];
        const Station& to = (*m_stations)[b];
        it->second = geodesicNm(from.latitude, from.longitude, to.latitude, to.longitude);
    }
    return it->second;
}

CoverageNetwork::CoverageNetwork(const std::vector<Station>& stations, double altitudeFt, RangeModel model,
                                 LegLengths* lengths)
    : m_stations(&stations), m_lengths(lengths), m_altitudeFt(altitudeFt), m_model(model)
{
    if (lengths && &lengths->stations() != &stations)
        throw std::invalid_argument("The leg lengths belong to another list of stations.");
    const std::size_t n = stations.size();
    m_ranges.reserve(n);
    m_directions.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Station& s = stations[i];
        m_ranges.push_back(stationRangeNm(s, altitudeFt, model));
        m_penalties.push_back(s.kind == StationKind::Ndb ? PER_NDB_NM : 0.0);
        m_maxRange = std::max(m_maxRange, m_ranges.back());
        m_directions.push_back(directionOf(s.latitude, s.longitude));
    }
    m_edges.assign(n, {});
    m_edgesFound.assign(n, false);
    m_leader.assign(n, NO_LEADER);

    if (n > 0) {
        std::vector<double> ranges = m_ranges;
        const std::size_t at = n - 1 - (n - 1) / FAR_REACHING_SHARE;
        std::nth_element(ranges.begin(), ranges.begin() + static_cast<std::ptrdiff_t>(at), ranges.end());
        m_ordinaryRange = ranges[at];
        for (std::uint32_t i = 0; i < n; ++i) {
            if (m_ranges[i] > m_ordinaryRange)
                m_farReaching.push_back(i);
        }
    }
}

// Two stations are never nearer than their difference in geocentric
// latitude allows, so in this order each station only looks as far either
// way as its range and the largest one can reach.
void CoverageNetwork::orderByBand() const
{
    if (!m_order.empty() || size() == 0)
        return;
    const std::size_t n = size();
    m_band.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        m_band[i] = std::asin(std::clamp(m_directions[i].z, -1.0, 1.0));
    m_order.resize(n);
    std::iota(m_order.begin(), m_order.end(), 0u);
    std::sort(m_order.begin(), m_order.end(),
              [&](std::uint32_t a, std::uint32_t b) { return std::tie(m_band[a], a) < std::tie(m_band[b], b); });
}

const std::vector<std::uint32_t>& CoverageNetwork::bandOrder() const
{
    orderByBand();
    return m_order;
}

double CoverageNetwork::band(std::size_t i) const
{
    orderByBand();
    return m_band[i];
}

bool CoverageNetwork::covered(std::uint32_t a, std::uint32_t b, double& lengthNm) const
{
    const double both = m_ranges[a] + m_ranges[b];
    if (chordLowerBoundNm(m_directions[a], m_directions[b]) > both)
        return false;
    if (m_lengths) {
        lengthNm = m_lengths->lengthNm(a, b);
    } else {
        // From the lower index to the higher, so that both ends agree (as
        // LegLengths does).
        const Station& from = station(std::min(a, b));
        const Station& to = station(std::max(a, b));
        lengthNm = geodesicNm(from.latitude, from.longitude, to.latitude, to.longitude);
    }
    return lengthNm <= both;
}

const std::vector<CoverageNetwork::Edge>& CoverageNetwork::edges(std::size_t i) const
{
    if (m_edgesFound[i])
        return m_edges[i];
    std::vector<Edge>& found = m_edges[i];
    forEachWithinOfStation(static_cast<std::uint32_t>(i), m_ranges[i], [&](std::uint32_t j) {
        double length = 0.0;
        if (j != i && covered(static_cast<std::uint32_t>(i), j, length))
            found.push_back(Edge{j, length});
    });
    // In station order, so that equal routes are found the same way however
    // the legs were discovered.
    std::sort(found.begin(), found.end(), [](const Edge& a, const Edge& b) { return a.to < b.to; });
    m_edgesFound[i] = true;
    return found;
}

void CoverageNetwork::findAllEdges() const
{
    if (m_allEdgesFound)
        return;
    // Each pair once, in latitude order, rather than every station asking
    // for its own. Lists already found stay as they are (a caller may be
    // walking one); the others are filled.
    const std::size_t n = size();
    orderByBand();
    const std::vector<bool> known = m_edgesFound;
    for (std::size_t oi = 0; oi < n; ++oi) {
        const std::uint32_t i = m_order[oi];
        const double reach = (m_ranges[i] + m_maxRange) / POLAR_RADIUS_NM + 1e-9;
        for (std::size_t oj = oi + 1; oj < n && m_band[m_order[oj]] - m_band[i] <= reach; ++oj) {
            const std::uint32_t j = m_order[oj];
            if (known[i] && known[j])
                continue;
            double length = 0.0;
            if (covered(i, j, length)) {
                if (!known[i])
                    m_edges[i].push_back(Edge{j, length});
                if (!known[j])
                    m_edges[j].push_back(Edge{i, length});
            }
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (!known[i])
            std::sort(m_edges[i].begin(), m_edges[i].end(), [](const Edge& a, const Edge& b) { return a.to < b.to; });
        m_edgesFound[i] = true;
    }
    m_allEdgesFound = true;
}

std::size_t CoverageNetwork::legCount() const
{
    findAllEdges();
    std::size_t ends = 0;
    for (const std::vector<Edge>& list : m_edges)
        ends += list.size();
    return ends / 2;
}

const StationGrid& CoverageNetwork::grid() const
{
    if (!m_grid)
        m_grid.emplace(m_directions);
    return *m_grid;
}

bool CoverageNetwork::joined(std::uint32_t a, std::uint32_t b) const
{
    const double both = m_ranges[a] + m_ranges[b];
    if (seriesLowerBoundNm(m_directions[a], m_directions[b]) > both)
        return false;
    if (geodesicUpperBoundNm(m_directions[a], m_directions[b]) <= both)
        return true;
    double length = 0.0;
    return covered(a, b, length);
}

// The parts need only whether two stations are joined, not how far apart
// they are: the bounds of a leg's length settle that for nearly every pair,
// and the few they leave open are measured as the covered legs are, so the
// parts are the very ones the covered legs make. Each pair is looked at
// from the station with the longer range (both, when equal), which reaches
// at most twice its own range to join it.
void CoverageNetwork::findParts() const
{
    if (!m_part.empty() || size() == 0)
        return;
    const std::size_t n = size();
    std::vector<std::uint32_t> leader(n);
    std::iota(leader.begin(), leader.end(), 0u);
    const auto find = [&](std::uint32_t v) {
        while (leader[v] != v) {
            leader[v] = leader[leader[v]];
            v = leader[v];
        }
        return v;
    };
    const StationGrid& near = grid();
    for (std::uint32_t i = 0; i < n; ++i) {
        const double range = m_ranges[i];
        near.forEachNearStation(i, StationGrid::chordOf(2.0 * range), [&](std::uint32_t j) {
            if (j == i || m_ranges[j] > range || (m_ranges[j] == range && j < i))
                return;
            const std::uint32_t a = find(i), b = find(j);
            if (a != b && joined(i, j))
                leader[std::max(a, b)] = std::min(a, b);
        });
    }
    // Numbered in the order of each part's first station.
    m_part.assign(n, std::numeric_limits<std::uint32_t>::max());
    for (std::uint32_t i = 0; i < n; ++i) {
        const std::uint32_t root = find(i);
        if (m_part[root] == std::numeric_limits<std::uint32_t>::max())
            m_part[root] = static_cast<std::uint32_t>(m_partCount++);
        m_part[i] = m_part[root];
    }
}

std::uint32_t CoverageNetwork::partLeader(std::size_t i) const
{
    std::uint32_t leader = 0;
    partLeaderWithin(i, std::numeric_limits<std::size_t>::max(), leader);
    return leader;
}

bool CoverageNetwork::partLeaderWithin(std::size_t i, std::size_t mostStations, std::uint32_t& leader) const
{
    if (m_leader[i] != NO_LEADER) {
        leader = m_leader[i];
        return true;
    }
    std::vector<std::uint32_t> members{static_cast<std::uint32_t>(i)};
    m_leader[i] = BEING_FOUND;
    for (std::size_t next = 0; next < members.size(); ++next) {
        if (members.size() > mostStations) {
            for (const std::uint32_t member : members)
                m_leader[member] = NO_LEADER;
            return false;
        }
        const std::uint32_t u = members[next];
        forEachWithinOfStation(u, m_ranges[u], [&](std::uint32_t j) {
            if (m_leader[j] == NO_LEADER && joined(u, j)) {
                m_leader[j] = BEING_FOUND;
                members.push_back(j);
            }
        });
    }
    if (members.size() > mostStations) {
        for (const std::uint32_t member : members)
            m_leader[member] = NO_LEADER;
        return false;
    }
    std::sort(members.begin(), members.end());
    leader = members.front();
    for (const std::uint32_t member : members)
        m_leader[member] = leader;
    m_members.emplace(leader, std::move(members));
    return true;
}

std::uint32_t CoverageNetwork::part(std::size_t i) const
{
    findParts();
    return m_part[i];
}

std::size_t CoverageNetwork::partCount() const
{
    findParts();
    return m_partCount;
}

}  // namespace coverage
