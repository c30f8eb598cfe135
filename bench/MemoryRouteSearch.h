// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "route/Position.h"

#include <string>
#include <unordered_map>
#include <vector>

class CDatabase;

// The route search on points loaded once into memory, no SQL while it runs:
// the yardstick for the database-backed search and a cross-check of it.
class MemoryRouteSearch {
public:
    struct Point {
        std::string id;
        std::string name, latText, longText;  // route row texts
        std::string latDir, longDir;
        int latMajor = 0, longMajor = 0;
        Coordinates position{};
        bool vor = false;
    };

    // Loads every beacon and every airport.
    explicit MemoryRouteSearch(CDatabase* pDatabase);

    // The chosen beacons' IDs, in order.
    std::vector<std::string> Run(const std::string& departureID, const std::string& destinationID) const;

    const Point& Beacon(const std::string& id) const { return m_navs.at(m_navIndex.at(id)); }
    const Point& Airport(const std::string& id) const { return m_airports.at(m_airportIndex.at(id)); }
    const std::vector<Point>& Airports() const { return m_airports; }

private:
    std::string ChooseNext(const Point& current, bool currentIsBeacon, const Point& destination) const;
    std::vector<const Point*> Candidates(const Point& current, const Point& destination, int tryIndex) const;

    std::vector<Point> m_navs;  // in the order the box query's index returns them
    std::vector<Point> m_airports;
    std::unordered_map<std::string, std::size_t> m_navIndex, m_airportIndex;
};
