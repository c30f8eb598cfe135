// SPDX-License-Identifier: GPL-3.0-or-later
#include "coverage/CoverageNetwork.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <tuple>

namespace coverage {

namespace {

constexpr double kPolarRadiusNm = 6356752.314245 / kMetresPerNm;
constexpr double kPi = 3.14159265358979323846;

struct Pair {
    std::uint32_t a, b;
};

}  // namespace

CoverageNetwork::CoverageNetwork(const std::vector<Station>& stations, double altitudeFt, RangeModel model)
    : m_stations(&stations), m_altitudeFt(altitudeFt), m_model(model)
{
    const std::size_t n = stations.size();
    m_ranges.reserve(n);
    m_directions.reserve(n);
    m_penalties.reserve(n);
    std::vector<double>& band = m_band;
    band.assign(n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        const Station& s = stations[i];
        m_ranges.push_back(stationRangeNm(s, altitudeFt, model));
        m_penalties.push_back(s.kind == StationKind::Ndb ? kPerNdbNm : 0.0);
        m_maxRange = std::max(m_maxRange, m_ranges.back());
        if (m_ranges.back() <= kWideRangeNm)
            m_maxNarrowRange = std::max(m_maxNarrowRange, m_ranges.back());
        m_directions.push_back(directionOf(s.latitude, s.longitude));
        band[i] = std::asin(std::clamp(m_directions.back().z, -1.0, 1.0));
    }

    // Two stations are never nearer than their difference in geocentric
    // latitude allows, so after sorting by it each station only looks ahead
    // as far as its range and the largest one can reach. The few stations
    // of a far greater range (a simulator gives some NDBs 999 nm) would
    // widen that window for all: they are paired with every station apart.
    std::vector<std::uint32_t>& order = m_order;
    for (std::uint32_t i = 0; i < n; ++i)
        (m_ranges[i] <= kWideRangeNm ? order : m_wide).push_back(i);
    std::sort(order.begin(), order.end(),
              [&](std::uint32_t a, std::uint32_t b) { return std::tie(band[a], a) < std::tie(band[b], b); });
    std::vector<Pair> pairs;
    const auto pairUp = [&](std::uint32_t i, std::uint32_t j) {
        const double both = m_ranges[i] + m_ranges[j];
        if (chordLowerBoundNm(m_directions[i], m_directions[j]) > both)
            return;
        // The bounds settle all but the pairs within a hair of their reach.
        if (geodesicUpperBoundNm(m_directions[i], m_directions[j]) > both &&
            (geodesicLowerBoundNm(m_directions[i], m_directions[j]) > both ||
             geodesicNm(stations[i].latitude, stations[i].longitude, stations[j].latitude, stations[j].longitude) >
                 both))
            return;
        pairs.push_back(Pair{std::min(i, j), std::max(i, j)});
    };
    // The narrow stations in rows of geocentric latitude as high as two of
    // them reach, each row by longitude: a station's partners lie in its
    // row or the next, within a span of longitude that its latitude sets.
    m_rowHeight = std::max(2.0 * m_maxNarrowRange / kPolarRadiusNm, 1e-4) + 4e-9;
    m_rows.assign(static_cast<std::size_t>(std::floor(kPi / m_rowHeight)) + 1, {});
    for (std::uint32_t i : order)
        m_rows[static_cast<std::size_t>(rowOf(band[i]))].push_back(RowEntry{stations[i].longitude, i});
    for (auto& row : m_rows)
        std::sort(row.begin(), row.end(),
                  [](const RowEntry& a, const RowEntry& b) { return std::tie(a.longitude, a.station) < std::tie(b.longitude, b.station); });
    for (std::uint32_t i : order) {
        const double theta = (m_ranges[i] + m_maxNarrowRange) / kPolarRadiusNm + 1e-9;
        forNarrowNear(band[i], stations[i].longitude, theta, [&](std::uint32_t j) {
            if (j > i)
                pairUp(i, j);
        });
    }
    for (std::size_t wi = 0; wi < m_wide.size(); ++wi) {
        for (std::uint32_t j : order)
            pairUp(m_wide[wi], j);
        for (std::size_t wj = wi + 1; wj < m_wide.size(); ++wj)
            pairUp(m_wide[wi], m_wide[wj]);
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
        m_edges[fill[p.a]++] = Edge{p.b};
        m_edges[fill[p.b]++] = Edge{p.a};
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

std::ptrdiff_t CoverageNetwork::rowOf(double band) const
{
    return std::clamp(static_cast<std::ptrdiff_t>(std::floor((band + kPi / 2.0) / m_rowHeight)), std::ptrdiff_t{0},
                      static_cast<std::ptrdiff_t>(m_rows.empty() ? 0 : m_rows.size() - 1));
}

void CoverageNetwork::forNarrowNear(double band, double longitude, double theta,
                                    const std::function<void(std::uint32_t)>& visit) const
{
    if (m_rows.empty())
        return;
    // Two directions an angle theta apart at latitudes no further from the
    // equator than phi differ in longitude by lambda with
    // 2 cos(phi) sin(lambda / 2) <= theta.
    const double phi = std::min(kPi / 2.0, std::fabs(band) + theta);
    const double sine = theta / (2.0 * std::cos(phi));
    const double span = sine >= 1.0 ? 360.0 : 2.0 * std::asin(sine) * 180.0 / kPi + 1e-9;
    const auto visitSpan = [&](const std::vector<RowEntry>& row, double west, double east) {
        auto it = std::lower_bound(row.begin(), row.end(), west,
                                   [](const RowEntry& e, double lon) { return e.longitude < lon; });
        for (; it != row.end() && it->longitude <= east; ++it)
            visit(it->station);
    };
    for (std::ptrdiff_t q = rowOf(band - theta); q <= rowOf(band + theta); ++q) {
        const std::vector<RowEntry>& row = m_rows[static_cast<std::size_t>(q)];
        if (span >= 180.0) {
            visitSpan(row, -1e9, 1e9);
            continue;
        }
        visitSpan(row, longitude - span, longitude + span);
        if (longitude - span < -180.0)
            visitSpan(row, longitude - span + 360.0, 1e9);
        if (longitude + span > 180.0)
            visitSpan(row, -1e9, longitude + span - 360.0);
    }
}

}  // namespace coverage
