// SPDX-License-Identifier: GPL-3.0-or-later
#include "coverage/CoverageNetwork.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <tuple>

namespace coverage {

namespace {

constexpr double kPolarRadiusNm = base::kWgs84PolarRadiusM / kMetresPerNm;

struct Pair {
    std::uint32_t a, b;
    double lengthNm;
};

}  // namespace

CoverageNetwork::CoverageNetwork(const std::vector<Station>& stations, double altitudeFt, RangeModel model)
    : m_stations(&stations), m_altitudeFt(altitudeFt), m_model(model)
{
    const std::size_t n = stations.size();
    m_ranges.reserve(n);
    m_directions.reserve(n);
    std::vector<double>& band = m_band;
    band.assign(n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        const Station& s = stations[i];
        m_ranges.push_back(stationRangeNm(s.serviceClass, s.elevationFt, s.simulatorRangeNm, altitudeFt, model));
        m_maxRange = std::max(m_maxRange, m_ranges.back());
        m_directions.push_back(directionOf(s.latitude, s.longitude));
        band[i] = std::asin(std::clamp(m_directions.back().z, -1.0, 1.0));
    }

    // Two stations are never nearer than their difference in geocentric
    // latitude allows, so after sorting by it each station only looks ahead
    // as far as its range and the largest one can reach.
    std::vector<std::uint32_t>& order = m_order;
    order.assign(n, 0u);
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(),
              [&](std::uint32_t a, std::uint32_t b) { return std::tie(band[a], a) < std::tie(band[b], b); });
    std::vector<Pair> pairs;
    for (std::size_t oi = 0; oi < n; ++oi) {
        const std::uint32_t i = order[oi];
        const double reach = (m_ranges[i] + m_maxRange) / kPolarRadiusNm + 1e-9;
        for (std::size_t oj = oi + 1; oj < n && band[order[oj]] - band[i] <= reach; ++oj) {
            const std::uint32_t j = order[oj];
            const double both = m_ranges[i] + m_ranges[j];
            if (chordLowerBoundNm(m_directions[i], m_directions[j]) > both)
                continue;
            const double length = geodesicNm(stations[i].latitude, stations[i].longitude, stations[j].latitude,
                                             stations[j].longitude);
            if (length <= both)
                pairs.push_back(Pair{std::min(i, j), std::max(i, j), length});
        }
    }

    m_offsets.assign(n + 1, 0);
    for (const Pair& p : pairs) {
        ++m_offsets[p.a + 1];
        ++m_offsets[p.b + 1];
    }
    std::partial_sum(m_offsets.begin(), m_offsets.end(), m_offsets.begin());
    m_edges.resize(m_offsets[n]);
    std::vector<std::size_t> fill(m_offsets.begin(), m_offsets.end() - 1);
    for (const Pair& p : pairs) {
        m_edges[fill[p.a]++] = Edge{p.b, p.lengthNm};
        m_edges[fill[p.b]++] = Edge{p.a, p.lengthNm};
    }
    // The parts, by walking the covered legs.
    m_part.assign(n, std::numeric_limits<std::uint32_t>::max());
    std::vector<std::uint32_t> stack;
    for (std::uint32_t start = 0; start < n; ++start) {
        if (m_part[start] != std::numeric_limits<std::uint32_t>::max())
            continue;
        const auto id = static_cast<std::uint32_t>(m_partCount++);
        m_part[start] = id;
        stack.push_back(start);
        while (!stack.empty()) {
            const std::uint32_t u = stack.back();
            stack.pop_back();
            for (std::size_t e = m_offsets[u]; e < m_offsets[u + 1]; ++e) {
                if (m_part[m_edges[e].to] != id) {
                    m_part[m_edges[e].to] = id;
                    stack.push_back(m_edges[e].to);
                }
            }
        }
    }

    // Neighbours in station order, so that equal routes are found the same
    // way whatever order the pairs were discovered in.
    for (std::size_t i = 0; i < n; ++i)
        std::sort(m_edges.begin() + static_cast<std::ptrdiff_t>(m_offsets[i]),
                  m_edges.begin() + static_cast<std::ptrdiff_t>(m_offsets[i + 1]),
                  [](const Edge& a, const Edge& b) { return a.to < b.to; });
}

}  // namespace coverage
