// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coverage/Geodesy.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace coverage {

// The stations in cells of two degrees of geocentric latitude by two of
// longitude, so that the stations near a point are found without looking at
// every station of its latitude round the world. Only a superset is
// promised: every station whose chord to the point is at most the one
// asked for is visited, once, and some farther ones may be, in no
// particular order. The callers' own tests decide.
class StationGrid {
public:
    explicit StationGrid(const std::vector<Direction>& directions);

    // Calls visit(j) for every station j whose chord (between unit
    // directions, as chordLowerBoundNm takes it before scaling) to `centre`
    // may be at most maxChord, and for some farther ones.
    template <typename Visit> void forEachNear(const Direction& centre, double maxChord, Visit&& visit) const
    {
        visitNear(placeOf(centre), maxChord, visit);
    }
    // The same round station i of the grid's own directions.
    template <typename Visit> void forEachNearStation(std::uint32_t i, double maxChord, Visit&& visit) const
    {
        visitNear(m_places[i], maxChord, visit);
    }

    // The chord between unit directions that a distance on the earth of
    // distanceNm at least spans: a station whose chord is longer is farther
    // away than distanceNm by every bound of Geodesy.h (chordLowerBoundNm,
    // seriesLowerBoundNm, geodesicLowerBoundNm, geodesicNm).
    static double chordOf(double distanceNm);

private:
    // Where a point lies, as a search round it needs it.
    struct Place {
        double band = 0.0;       // geocentric latitude, radians
        double longitude = 0.0;  // radians
        double radius = 0.0;     // from the polar axis, on the unit sphere
    };
    struct Window {
        std::uint32_t begin = 0, end = 0;
    };
    static Place placeOf(const Direction& d);
    // The stripes of latitude a search reaches.
    void stripesOf(const Place& place, double maxChord, std::size_t& first, std::size_t& last) const;
    // The runs of m_stations in one stripe that a search reaches: one, or
    // two across the antimeridian.
    std::size_t windowsOf(std::size_t stripe, const Place& place, double maxChord, Window windows[2]) const;

    template <typename Visit> void visitNear(const Place& place, double maxChord, Visit& visit) const
    {
        if (m_stations.empty() || maxChord < 0.0)
            return;
        std::size_t first = 0, last = 0;
        stripesOf(place, maxChord, first, last);
        Window windows[2];
        for (std::size_t k = first; k <= last; ++k) {
            const std::size_t count = windowsOf(k, place, maxChord, windows);
            for (std::size_t w = 0; w < count; ++w) {
                for (std::uint32_t at = windows[w].begin; at < windows[w].end; ++at)
                    visit(m_stations[at]);
            }
        }
    }

    std::vector<std::uint32_t> m_cellStart;  // of each cell in m_stations, stripe by stripe, and the end
    std::vector<std::uint32_t> m_stations;   // cell by cell
    std::vector<Place> m_places;             // of each station
    std::vector<double> m_stripeRadius;      // the least distance from the polar axis in each stripe
};

}  // namespace coverage
