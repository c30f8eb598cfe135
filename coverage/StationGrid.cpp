// SPDX-License-Identifier: GPL-3.0-or-later
#include "coverage/StationGrid.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace coverage {

namespace {

constexpr double HALF_PI = base::kPi / 2.0;
// One degree of geocentric latitude a stripe: a few stripes span the reach
// of any station, and a stripe's stations differ little in how far apart a
// degree of longitude puts them.
constexpr std::size_t STRIPE_COUNT = 180;
constexpr double STRIPE_HEIGHT = base::kPi / STRIPE_COUNT;
// What rounding may take from a bound, given back before it prunes.
constexpr double SLACK = 1e-9;

double bandOf(const Direction& d)
{
    return std::asin(std::clamp(d.z, -1.0, 1.0));
}

std::size_t stripeOf(double band)
{
    const double at = std::floor((band + HALF_PI) / STRIPE_HEIGHT);
    return static_cast<std::size_t>(std::clamp(at, 0.0, static_cast<double>(STRIPE_COUNT - 1)));
}

// The angle a chord subtends, a hair more.
double angleOfChord(double chord)
{
    return 2.0 * std::asin(std::min(1.0, chord / 2.0)) * (1.0 + SLACK) + 1e-12;
}

}  // namespace

StationGrid::StationGrid(const std::vector<Direction>& directions)
{
    const std::size_t n = directions.size();
    std::vector<std::uint32_t> stripe(n);
    m_start.assign(STRIPE_COUNT + 1, 0);
    for (std::size_t i = 0; i < n; ++i) {
        stripe[i] = static_cast<std::uint32_t>(stripeOf(bandOf(directions[i])));
        ++m_start[stripe[i] + 1];
    }
    std::partial_sum(m_start.begin(), m_start.end(), m_start.begin());
    std::vector<double> longitude(n);
    for (std::size_t i = 0; i < n; ++i)
        longitude[i] = std::atan2(directions[i].y, directions[i].x);
    m_stations.resize(n);
    std::vector<std::uint32_t> next(m_start.begin(), m_start.end() - 1);
    for (std::size_t i = 0; i < n; ++i)
        m_stations[next[stripe[i]]++] = static_cast<std::uint32_t>(i);
    for (std::size_t k = 0; k < STRIPE_COUNT; ++k) {
        std::sort(m_stations.begin() + m_start[k], m_stations.begin() + m_start[k + 1],
                  [&](std::uint32_t a, std::uint32_t b) {
                      return longitude[a] < longitude[b] || (longitude[a] == longitude[b] && a < b);
                  });
    }
    m_longitude.resize(n);
    for (std::size_t at = 0; at < n; ++at)
        m_longitude[at] = longitude[m_stations[at]];
    // cos is least at the ends of a span of latitude.
    m_stripeRadius.resize(STRIPE_COUNT);
    for (std::size_t k = 0; k < STRIPE_COUNT; ++k) {
        const double low = -HALF_PI + static_cast<double>(k) * STRIPE_HEIGHT;
        m_stripeRadius[k] = std::max(0.0, std::min(std::cos(low), std::cos(low + STRIPE_HEIGHT)));
    }
}

double StationGrid::chordOf(double distanceNm)
{
    // chordLowerBoundNm scales the chord by kBoundingRadiusNm (1 - 1e-12),
    // and every other bound of the distance is at least that one.
    return std::max(0.0, distanceNm) / (kBoundingRadiusNm * (1.0 - 1e-12)) * (1.0 + SLACK) + 1e-12;
}

// Two directions whose latitudes differ by an angle are at least that far
// apart on the unit sphere, and the chord grows with the angle.
bool StationGrid::placeOf(const Direction& centre, double maxChord, Place& place) const
{
    if (m_stations.empty() || maxChord < 0.0)
        return false;
    const double band = bandOf(centre);
    const double reach = angleOfChord(maxChord);
    place.firstStripe = stripeOf(band - reach);
    place.lastStripe = stripeOf(band + reach);
    place.longitude = std::atan2(centre.y, centre.x);
    place.radius = std::sqrt(centre.x * centre.x + centre.y * centre.y);
    return true;
}

// Two directions at distances ρ1 and ρ2 from the polar axis whose
// longitudes differ by λ (at most π) have a chord of at least
// 2 min(ρ1, ρ2) sin(λ / 2): the chord is no shorter than the distance of
// their projections on the equator's plane.
std::size_t StationGrid::windowsOf(std::size_t stripe, const Place& place, double maxChord, Window windows[2]) const
{
    const std::uint32_t begin = m_start[stripe], end = m_start[stripe + 1];
    if (begin == end)
        return 0;
    const double radius = std::min(m_stripeRadius[stripe], place.radius) * (1.0 - SLACK);
    if (radius <= 0.0 || maxChord / (2.0 * radius) >= 1.0) {
        windows[0] = Window{begin, end};
        return 1;
    }
    const double spread = angleOfChord(maxChord / radius);
    if (spread >= base::kPi) {
        windows[0] = Window{begin, end};
        return 1;
    }
    const auto first = m_longitude.begin() + begin, last = m_longitude.begin() + end;
    const auto at = [&](std::vector<double>::const_iterator it) {
        return static_cast<std::uint32_t>(it - m_longitude.begin());
    };
    const double from = place.longitude - spread, to = place.longitude + spread;
    std::size_t count = 0;
    windows[count++] = Window{at(std::lower_bound(first, last, from)), at(std::upper_bound(first, last, to))};
    if (from < -base::kPi)
        windows[count++] = Window{at(std::lower_bound(first, last, from + 2.0 * base::kPi)), end};
    else if (to > base::kPi)
        windows[count++] = Window{begin, at(std::upper_bound(first, last, to - 2.0 * base::kPi))};
    return count;
}

}  // namespace coverage
