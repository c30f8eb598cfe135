// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/MemoryRouteSearch.h"

#include "data/Recordset.h"
#include "route/RouteSearch.h"

#include <algorithm>
#include <tuple>

namespace {

std::vector<MemoryRouteSearch::Point> LoadPoints(CDatabase* pDatabase, const std::string& table)
{
    std::vector<MemoryRouteSearch::Point> points;
    CRecordset rs(pDatabase);
    rs.Open(CRecordset::forwardOnly, "SELECT * FROM " + table, CRecordset::none);
    for (; !rs.IsEOF(); rs.MoveNext()) {
        MemoryRouteSearch::Point p;
        std::string latMajor, latMinor, longMajor, longMinor, type;
        rs.GetFieldValue("ID", p.id);
        rs.GetFieldValue("Name", p.name);
        rs.GetFieldValue("LatDir", p.latDir);
        rs.GetFieldValue("LatMajor", latMajor);
        rs.GetFieldValue("LatMinor", latMinor);
        rs.GetFieldValue("LongDir", p.longDir);
        rs.GetFieldValue("LongMajor", longMajor);
        rs.GetFieldValue("LongMinor", longMinor);
        p.latMajor = WholeDegrees(latMajor);
        p.longMajor = WholeDegrees(longMajor);
        p.position = {SignedDegrees(p.latDir, latMajor, latMinor), SignedDegrees(p.longDir, longMajor, longMinor)};
        p.latText = PositionText(p.latDir, latMajor, latMinor);
        p.longText = PositionText(p.longDir, longMajor, longMinor);
        if (table == "navs") {
            rs.GetFieldValue("type", type);
            p.vor = type == "VOR";
        }
        points.push_back(std::move(p));
    }
    return points;
}

// A beacon of the other hemisphere that a box reaching the 180th meridian
// takes from just across the line.
bool AcrossTheLine(const MemoryRouteSearch::Point& current, const MemoryRouteSearch::Point& p, int h)
{
    const int outer = current.longMajor + h;
    const bool opposite = (current.longDir == "W" && p.longDir == "E") || (current.longDir == "E" && p.longDir == "W");
    return outer >= 180 && opposite && p.longMajor >= 359 - outer;
}

}  // namespace

MemoryRouteSearch::MemoryRouteSearch(CDatabase* pDatabase)
    : m_navs(LoadPoints(pDatabase, "navs")), m_airports(LoadPoints(pDatabase, "airports"))
{
    // The box query reads the index on (type, LatDir, LongDir, LatMajor,
    // LongMajor); keep that order so ties resolve alike.
    std::stable_sort(m_navs.begin(), m_navs.end(), [](const Point& a, const Point& b) {
        return std::tie(a.latDir, a.longDir, a.latMajor, a.longMajor) <
               std::tie(b.latDir, b.longDir, b.latMajor, b.longMajor);
    });
    for (std::size_t i = 0; i < m_navs.size(); ++i)
        m_navIndex[m_navs[i].id] = i;
    for (std::size_t i = 0; i < m_airports.size(); ++i)
        m_airportIndex[m_airports[i].id] = i;
}

std::vector<std::string> MemoryRouteSearch::Run(const std::string& departureID,
                                                const std::string& destinationID) const
{
    std::vector<std::string> route;
    const Point& destination = Airport(destinationID);
    const Point* current = &Airport(departureID);
    bool currentIsBeacon = false;
    for (;;) {
        std::string next = ChooseNext(*current, currentIsBeacon, destination);
        if (next.empty())
            return route;
        route.push_back(next);
        current = &Beacon(next);
        currentIsBeacon = true;
    }
}

std::vector<const MemoryRouteSearch::Point*> MemoryRouteSearch::Candidates(const Point& current,
                                                                          const Point& destination,
                                                                          int tryIndex) const
{
    int h = CandidateHalfWidth(tryIndex, FlatDistance(current.position, destination.position));
    std::vector<const Point*> found;
    for (const Point& p : m_navs) {
        if (!p.vor || p.latMajor < current.latMajor - h || p.latMajor > current.latMajor + h ||
            p.longMajor < current.longMajor - h || p.longMajor > current.longMajor + h)
            continue;
        if (current.latMajor != 0 && p.latDir != current.latDir)
            continue;
        if (current.longMajor != 0 && p.longDir != current.longDir && !AcrossTheLine(current, p, h))
            continue;
        found.push_back(&p);
    }
    return found;
}

std::string MemoryRouteSearch::ChooseNext(const Point& current, bool currentIsBeacon,
                                          const Point& destination) const
{
    unsigned range = ROUTE_FIRST_RANGE_NM;
    std::vector<const Point*> candidates = Candidates(current, destination, 0);
    for (int t = 1; candidates.empty() && t < ROUTE_TRIES; ++t) {
        candidates = Candidates(current, destination, t);
        range += ROUTE_RANGE_STEP_NM;
    }
    double toDestination = FlatDistance(current.position, destination.position);
    double last = ROUTE_FIRST_LAST_DISTANCE;
    const Point* best = nullptr;
    double bestScore = 0.0;
    for (int widening = 1;; ++widening) {
        for (const Point* p : candidates) {
            if (currentIsBeacon && p->id == current.id)
                continue;
            double fromCurrent = FlatDistance(p->position, current.position);
            last = FlatDistance(p->position, destination.position);
            if (fromCurrent <= range && last < toDestination && (!best || fromCurrent + last < bestScore)) {
                best = p;
                bestScore = fromCurrent + last;
            }
        }
        if (best)
            return best->id;
        if (range >= last || widening == ROUTE_TRIES)
            return {};
        range += ROUTE_RANGE_STEP_NM;
        candidates = Candidates(current, destination, widening);
    }
}
