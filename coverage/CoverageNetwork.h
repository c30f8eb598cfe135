// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coverage/Geodesy.h"
#include "coverage/Station.h"
#include "coverage/StationRange.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace coverage {

// What a route pays for passing an NDB beyond its legs: an ADF needle is
// harder to fly than a VOR radial, so a VOR is taken wherever it covers the
// route as well.
inline constexpr double kPerNdbNm = 25.0;

// Beyond this range a station is "wide": it is paired with every other
// station rather than searched for by latitude (CoverageNetwork::wide).
inline constexpr double kWideRangeNm = 150.0;

// The stations with their ranges at one altitude and every covered leg
// between two of them: a leg whose length is at most the sum of both
// ranges, so that one station or the other can be received all along it.
class CoverageNetwork {
public:
    // A covered leg; its length is measured where a search needs it, since
    // most of them never are.
    struct Edge {
        std::uint32_t to;
    };

    // The stations are borrowed and must outlive the network.
    CoverageNetwork(const std::vector<Station>& stations, double altitudeFt, RangeModel model);

    std::size_t size() const { return m_stations->size(); }
    const Station& station(std::size_t i) const { return (*m_stations)[i]; }
    double rangeNm(std::size_t i) const { return m_ranges[i]; }
    // What passing station i adds to a route's length: kPerNdbNm for an NDB.
    double penaltyNm(std::size_t i) const { return m_penalties[i]; }
    const Direction& direction(std::size_t i) const { return m_directions[i]; }
    double maxRangeNm() const { return m_maxRange; }
    double altitudeFt() const { return m_altitudeFt; }
    RangeModel model() const { return m_model; }

    // The covered legs from station i, by ascending station index.
    const Edge* edgesBegin(std::size_t i) const { return m_edges.data() + m_offsets[i]; }
    const Edge* edgesEnd(std::size_t i) const { return m_edges.data() + m_offsets[i + 1]; }
    // Covered legs, each counted once.
    std::size_t legCount() const { return m_edges.size() / 2; }

    // The part of the network a station belongs to: stations joined by
    // covered legs share it. Numbered 0 .. partCount() - 1.
    std::uint32_t part(std::size_t i) const { return m_part[i]; }
    std::size_t partCount() const { return m_partCount; }
    // The stations of a range up to kWideRangeNm by ascending geocentric
    // latitude (radians, band): two stations are never nearer than their
    // difference in it allows. The others are wide(), in station order.
    const std::vector<std::uint32_t>& bandOrder() const { return m_order; }
    const std::vector<std::uint32_t>& wide() const { return m_wide; }
    double maxNarrowRangeNm() const { return m_maxNarrowRange; }  // of the stations in bandOrder
    // Calls visit with every station of bandOrder that may lie within the
    // angle theta (radians, on the polar sphere) of the direction at this
    // geocentric latitude (band) and longitude in degrees, and with some
    // further away; never with a wide one.
    void forNarrowNear(double band, double longitude, double theta,
                       const std::function<void(std::uint32_t)>& visit) const;
    double band(std::size_t i) const { return m_band[i]; }

private:
    const std::vector<Station>* m_stations;
    double m_altitudeFt;
    RangeModel m_model;
    std::vector<double> m_ranges;
    std::vector<double> m_penalties;
    std::vector<Direction> m_directions;
    double m_maxRange = 0.0;
    double m_maxNarrowRange = 0.0;
    std::vector<std::size_t> m_offsets;  // size() + 1 of them
    std::vector<Edge> m_edges;
    std::vector<std::uint32_t> m_part;
    std::size_t m_partCount = 0;
    std::vector<std::uint32_t> m_order;
    std::vector<std::uint32_t> m_wide;
    // The stations of bandOrder in rows of band m_rowHeight high, each by
    // longitude.
    struct RowEntry {
        double longitude;
        std::uint32_t station;
    };
    double m_rowHeight = 1.0;
    std::vector<std::vector<RowEntry>> m_rows;
    std::ptrdiff_t rowOf(double band) const;
    std::vector<double> m_band;
};

}  // namespace coverage
