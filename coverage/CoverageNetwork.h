#pragma once

#include "coverage/Geodesy.h"
#include "coverage/Station.h"
#include "coverage/StationRange.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace coverage {

// The stations with their ranges at one altitude and every covered leg
// between two of them: a leg whose length is at most the sum of both
// ranges, so that one station or the other can be received all along it.
class CoverageNetwork {
public:
    struct Edge {
        std::uint32_t to;
        double lengthNm;
    };

    // The stations are borrowed and must outlive the network.
    CoverageNetwork(const std::vector<Station>& stations, double altitudeFt, RangeModel model);

    std::size_t size() const { return m_stations->size(); }
    const Station& station(std::size_t i) const { return (*m_stations)[i]; }
    double rangeNm(std::size_t i) const { return m_ranges[i]; }
    const Direction& direction(std::size_t i) const { return m_directions[i]; }
    double maxRangeNm() const { return m_maxRange; }
    double altitudeFt() const { return m_altitudeFt; }
    RangeModel model() const { return m_model; }

    // The covered legs from station i, by ascending station index.
    const Edge* edgesBegin(std::size_t i) const { return m_edges.data() + m_offsets[i]; }
    const Edge* edgesEnd(std::size_t i) const { return m_edges.data() + m_offsets[i + 1]; }
    // Covered legs, each counted once.
    std::size_t legCount() const { return m_edges.size() / 2; }

private:
    const std::vector<Station>* m_stations;
    double m_altitudeFt;
    RangeModel m_model;
    std::vector<double> m_ranges;
    std::vector<Direction> m_directions;
    double m_maxRange = 0.0;
    std::vector<std::size_t> m_offsets;  // size() + 1 of them
    std::vector<Edge> m_edges;
};

}  // namespace coverage
