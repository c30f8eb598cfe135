// SPDX-License-Identifier: GPL-3.0-or-later
#include "coverage/StationGrid.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace coverage {

namespace {

constexpr double HALF_PI = base::PI / 2.0;
// Two degrees a cell either way (120 nm of latitude): a few cells span the
// reach of a station, a stripe's stations differ little in how far apart a
// degree of longitude puts them, and the cells' index is small enough to
// cost a short planner run little.
constexpr std::size_t STRIPE_COUNT = 90;
constexpr std::size_t CELLS_A_STRIPE = 180;
constexpr double CELL_ANGLE = base::PI / STRIPE_COUNT;
// What rounding may take from a bound, given back before it prunes.
constexpr double SLACK = 1e-9;

std::size_t stripeOf(double band)
{
    const double at = std::floor((band + HALF_PI) / CELL_ANGLE);
    return static_cast<std::size_t>(std::clamp(at, 0.0, static_cast<double>(STRIPE_COUNT - 1)));
}

std::size_t cellOf(double longitude)
{
    const double at = std::floor((longitude + base::PI) / CELL_ANGLE);
    return static_cast<std::size_t>(std::clamp(at, 0.0, static_cast<double>(CELLS_A_STRIPE - 1)));
}

}  // namespace

StationGrid::Place StationGrid::placeOf(const Direction& d)
{
    return Place{std::asin(std::clamp(d.z, -1.0, 1.0)), std::atan2(d.y, d.x), std::sqrt(d.x * d.x + d.y * d.y)};
}

StationGrid::StationGrid(const std::vector<Direction>& directions)
{
    const std::size_t n = directions.size();
    m_places.resize(n);
    std::vector<std::uint32_t> cell(n);
    m_cellStart.assign(STRIPE_COUNT * CELLS_A_STRIPE + 1, 0);
    for (std::size_t i = 0; i < n; ++i) {
        m_places[i] = placeOf(directions[i]);
        cell[i] = static_cast<std::uint32_t>(stripeOf(m_places[i].band) * CELLS_A_STRIPE +
                                             cellOf(m_places[i].longitude));
        ++m_cellStart[cell[i]];
    }
    std::partial_sum(m_cellStart.begin(), m_cellStart.end(), m_cellStart.begin());
    // Each count summed with those before it is where its cell ends. The
    // cells are filled from their ends backwards, stations taken last to
    // first, so that each holds its stations in ascending order and its
    // entry comes to rest at its start.
    m_stations.resize(n);
    for (std::size_t i = n; i-- > 0;)
        m_stations[--m_cellStart[cell[i]]] = static_cast<std::uint32_t>(i);
    // cos is least at the ends of a span of latitude.
    m_stripeRadius.resize(STRIPE_COUNT);
    for (std::size_t k = 0; k < STRIPE_COUNT; ++k) {
        const double low = -HALF_PI + static_cast<double>(k) * CELL_ANGLE;
        m_stripeRadius[k] = std::max(0.0, std::min(std::cos(low), std::cos(low + CELL_ANGLE)));
    }
}

double StationGrid::chordOf(double distanceNm)
{
    // chordLowerBoundNm scales the chord by BOUNDING_RADIUS_NM (1 - 1e-12),
    // and every other bound of the distance is at least that one.
    return std::max(0.0, distanceNm) / (BOUNDING_RADIUS_NM * (1.0 - 1e-12)) * (1.0 + SLACK) + 1e-12;
}

// Two directions whose latitudes differ by an angle are at least that far
// apart on the unit sphere, and the chord 2 sin(angle / 2) grows with the
// angle. A stripe more either way takes up any rounding.
void StationGrid::stripesOf(const Place& place, double maxChord, std::size_t& first, std::size_t& last) const
{
    const double reach = 2.0 * std::asin(std::min(1.0, maxChord / 2.0));
    first = stripeOf(place.band - reach);
    first -= first > 0 ? 1 : 0;
    last = std::min(STRIPE_COUNT - 1, stripeOf(place.band + reach) + 1);
}

// Two directions at distances ρ1 and ρ2 from the polar axis whose
// longitudes differ by λ (at most π) have a chord of at least
// 2 min(ρ1, ρ2) sin(λ / 2): the chord is no shorter than the distance of
// their projections on the equator's plane. So λ / 2 is at most asin(x),
// x = chord / (2 min(ρ1, ρ2)), which is at most x / sqrt(1 - x²) (a tangent
// exceeds its angle) and needs no arc sine. A cell more either way takes up
// any rounding.
std::size_t StationGrid::windowsOf(std::size_t stripe, const Place& place, double maxChord, Window windows[2]) const
{
    const std::size_t base = stripe * CELLS_A_STRIPE;
    const std::uint32_t begin = m_cellStart[base], end = m_cellStart[base + CELLS_A_STRIPE];
    if (begin == end)
        return 0;
    const double radius = std::min(m_stripeRadius[stripe], place.radius) * (1.0 - SLACK);
    const double x = radius > 0.0 ? maxChord / (2.0 * radius) : 1.0;
    const double spread = x < 1.0 ? 2.0 * x / std::sqrt(1.0 - x * x) * (1.0 + SLACK) : base::PI;
    const double from = std::floor((place.longitude - spread + base::PI) / CELL_ANGLE) - 1.0;
    const double to = std::floor((place.longitude + spread + base::PI) / CELL_ANGLE) + 1.0;
    if (!(to - from + 1.0 < static_cast<double>(CELLS_A_STRIPE))) {
        windows[0] = Window{begin, end};
        return 1;
    }
    const auto cells = static_cast<std::ptrdiff_t>(CELLS_A_STRIPE);
    const auto first = static_cast<std::ptrdiff_t>(from), last = static_cast<std::ptrdiff_t>(to);
    const auto at = [&](std::ptrdiff_t cell) { return m_cellStart[base + static_cast<std::size_t>(cell)]; };
    if (first < 0) {
        windows[0] = Window{begin, at(last + 1)};
        windows[1] = Window{at(first + cells), end};
        return 2;
    }
    if (last >= cells) {
        windows[0] = Window{at(first), end};
        windows[1] = Window{begin, at(last - cells + 1)};
        return 2;
    }
    windows[0] = Window{at(first), at(last + 1)};
    return 1;
}

}  // namespace coverage
