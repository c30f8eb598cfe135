// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coverage/Geodesy.h"
#include "coverage/StationGrid.h"
#include "coverage/Station.h"
#include "coverage/StationRange.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace coverage {

// What a route pays for passing an NDB beyond its legs: an ADF needle is
// harder to fly than a VOR radial, so a VOR is taken wherever it covers the
// route as well.
inline constexpr double PER_NDB_NM = 25.0;

// The lengths of legs between stations of one list, each measured once
// however many networks ask: searches of the same stations at several
// altitudes meet mostly the same legs, and measuring a geodesic is most of
// what finding a station's legs costs.
class LegLengths {
public:
    // The stations are borrowed and must outlive the lengths.
    explicit LegLengths(const std::vector<Station>& stations) : m_stations(&stations) {}
    const std::vector<Station>& stations() const { return *m_stations; }
    double lengthNm(std::uint32_t a, std::uint32_t b);

private:
    const std::vector<Station>* m_stations;
    std::unordered_map<std::uint64_t, double> m_known;
};

// The stations with their ranges at one altitude and every covered leg
// between two of them: a leg whose length is at most the sum of both
// ranges, so that one station or the other can be received all along it.
//
// Only what a search asks for is worked out: the covered legs of a station
// when they are first asked for (a search that finds a covered route looks
// at a few hundred stations of thousands), all of them and the parts when
// the parts are asked for. The answers are the same either way, to the last
// bit. The const functions fill these caches, so one network is not for two
// threads at once.
class CoverageNetwork {
public:
    struct Edge {
        std::uint32_t to;
        double lengthNm;
    };

    // The stations are borrowed and must outlive the network; so must
    // `lengths`, where given, which must be of the same stations.
    CoverageNetwork(const std::vector<Station>& stations, double altitudeFt, RangeModel model,
                    LegLengths* lengths = nullptr);

    std::size_t size() const { return m_stations->size(); }
    const Station& station(std::size_t i) const { return (*m_stations)[i]; }
    double rangeNm(std::size_t i) const { return m_ranges[i]; }
    // What passing station i adds to a route's length: PER_NDB_NM for an NDB.
    double penaltyNm(std::size_t i) const { return m_penalties[i]; }
    const Direction& direction(std::size_t i) const { return m_directions[i]; }
    double maxRangeNm() const { return m_maxRange; }
    double altitudeFt() const { return m_altitudeFt; }
    RangeModel model() const { return m_model; }

    // The covered legs from station i, by ascending station index.
    const Edge* edgesBegin(std::size_t i) const { return edges(i).data(); }
    const Edge* edgesEnd(std::size_t i) const { return edges(i).data() + edges(i).size(); }
    // Covered legs, each counted once.
    std::size_t legCount() const;

    // The part of the network a station belongs to: stations joined by
    // covered legs share it. Numbered 0 .. partCount() - 1.
    std::uint32_t part(std::size_t i) const;
    std::size_t partCount() const;
    // The same parts found one at a time, for a search that meets a few of
    // them: the part of station i named by its lowest station, found by
    // following covered legs from i the first time any station of it is
    // asked about.
    std::uint32_t partLeader(std::size_t i) const;
    // The same where the part has at most mostStations stations or is
    // known already; false, and nothing kept, where it proves larger.
    bool partLeaderWithin(std::size_t i, std::size_t mostStations, std::uint32_t& leader) const;
    // The stations of the part a leader (as partLeader gives it) leads,
    // ascending.
    const std::vector<std::uint32_t>& partMembers(std::uint32_t leader) const { return m_members.at(leader); }
    // Whether station j is of the part a leader leads, without finding the
    // part of j.
    bool inPart(std::size_t j, std::uint32_t leader) const { return m_leader[j] == leader; }

    // The stations by ascending geocentric latitude (radians, bandOf): two
    // stations are never nearer than their difference in it allows.
    const std::vector<std::uint32_t>& bandOrder() const;
    double band(std::size_t i) const;
    // The stations by place, for finding those near a point.
    const StationGrid& grid() const;
    // Calls visit(j) for every station j whose distance from the point may
    // be at most extraNm more than j's own range (and for some others): the
    // stations of ordinary range round the point, and the few that reach
    // farther wherever they are, so that one long range does not widen every
    // search round a point.
    template <typename Visit> void forEachWithin(const Direction& centre, double extraNm, Visit&& visit) const
    {
        grid().forEachNear(centre, StationGrid::chordOf(extraNm + m_ordinaryRange), [&](std::uint32_t j) {
            if (m_ranges[j] <= m_ordinaryRange)
                visit(j);
        });
        for (const std::uint32_t j : m_farReaching)
            visit(j);
    }
    // The same round station i.
    template <typename Visit> void forEachWithinOfStation(std::uint32_t i, double extraNm, Visit&& visit) const
    {
        grid().forEachNearStation(i, StationGrid::chordOf(extraNm + m_ordinaryRange), [&](std::uint32_t j) {
            if (m_ranges[j] <= m_ordinaryRange)
                visit(j);
        });
        for (const std::uint32_t j : m_farReaching)
            visit(j);
    }


private:
    const std::vector<Edge>& edges(std::size_t i) const;
    // Whether stations a and b are joined by a covered leg, and its length:
    // measured the same way whichever of the two asks.
    bool covered(std::uint32_t a, std::uint32_t b, double& lengthNm) const;
    // Whether a and b are joined, as covered() says, measuring the leg only
    // where the bounds of its length leave it open.
    bool joined(std::uint32_t a, std::uint32_t b) const;
    void orderByBand() const;
    void findAllEdges() const;
    void findParts() const;

    const std::vector<Station>* m_stations;
    LegLengths* m_lengths;
    double m_altitudeFt;
    RangeModel m_model;
    std::vector<double> m_ranges;
    std::vector<double> m_penalties;
    std::vector<Direction> m_directions;
    double m_maxRange = 0.0;
    // The range all but the farthest-reaching stations keep within, and
    // those stations.
    double m_ordinaryRange = 0.0;
    std::vector<std::uint32_t> m_farReaching;
    // Found when first needed, as the grid is.
    mutable std::vector<std::uint32_t> m_order;
    mutable std::vector<double> m_band;

    mutable std::vector<std::vector<Edge>> m_edges;
    mutable std::vector<bool> m_edgesFound;
    mutable bool m_allEdgesFound = false;
    mutable std::optional<StationGrid> m_grid;
    mutable std::vector<std::uint32_t> m_leader;  // of each station's part; unknown as NO_LEADER
    mutable std::unordered_map<std::uint32_t, std::vector<std::uint32_t>> m_members;  // by leader
    mutable std::vector<std::uint32_t> m_part;
    mutable std::size_t m_partCount = 0;
};

}  // namespace coverage
