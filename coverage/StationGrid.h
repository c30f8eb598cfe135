// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coverage/Geodesy.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace coverage {

// The stations in stripes of geocentric latitude, each stripe by longitude,
// so that the stations near a point are found without looking at every
// station of its latitude round the world. Only a superset is promised:
// every station whose chord to the point is at most the one asked for is
// visited (once), some farther ones may be. The callers' own tests decide.
class StationGrid {
public:
    explicit StationGrid(const std::vector<Direction>& directions);

    // Calls visit(j) for every station j whose chord (between unit
    // directions, as chordLowerBoundNm takes it before scaling) to `centre`
    // may be at most maxChord, and for some farther ones.
    template <typename Visit> void forEachNear(const Direction& centre, double maxChord, Visit&& visit) const
    {
        Window windows[2];
        Place place;
        if (!placeOf(centre, maxChord, place))
            return;
        for (std::size_t k = place.firstStripe; k <= place.lastStripe; ++k) {
            const std::size_t count = windowsOf(k, place, maxChord, windows);
            for (std::size_t w = 0; w < count; ++w) {
                for (std::uint32_t at = windows[w].begin; at < windows[w].end; ++at)
                    visit(m_stations[at]);
            }
        }
    }

    // The chord between unit directions that a distance on the earth of
    // distanceNm at least spans: a station whose chord is longer is farther
    // away than distanceNm by every bound of Geodesy.h (chordLowerBoundNm,
    // seriesLowerBoundNm, geodesicLowerBoundNm, geodesicNm).
    static double chordOf(double distanceNm);

private:
    struct Window {
        std::uint32_t begin = 0, end = 0;
    };
    // What a search round one point needs of it.
    struct Place {
        std::size_t firstStripe = 0, lastStripe = 0;
        double longitude = 0.0;  // radians
        double radius = 0.0;     // from the polar axis, on the unit sphere
    };
    bool placeOf(const Direction& centre, double maxChord, Place& place) const;
    std::size_t windowsOf(std::size_t stripe, const Place& place, double maxChord, Window windows[2]) const;

    std::vector<std::uint32_t> m_start;  // of each stripe in m_stations, and the end
    std::vector<std::uint32_t> m_stations;
    std::vector<double> m_longitude;  // radians, of m_stations[i], ascending within a stripe
    std::vector<double> m_stripeRadius;  // the least distance from the polar axis in each stripe
};

}  // namespace coverage
