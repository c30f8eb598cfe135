// SPDX-License-Identifier: GPL-3.0-or-later
#include "coverage/BestRoute.h"

#include "coverage/Geodesy.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <numeric>
#include <queue>

namespace coverage {

namespace {

constexpr double UNBOUNDED = std::numeric_limits<double>::infinity();
// The first ring a station looks round itself for the nearest station of
// another part, beyond both ranges; each next ring is four times as wide.
constexpr double GAP_RING_NM = 64.0;
// The most stations a part may have for its whole to be found before a
// search over covered legs, to learn whether one can join the airports: an
// island's, not a continent's.
constexpr std::size_t SMALL_PART_STATIONS = 64;

// Routes compare by uncovered distance first, then by length with the
// per-leg term.
struct Cost {
    double uncovered = UNBOUNDED;
    double length = UNBOUNDED;
};

bool cheaper(const Cost& a, const Cost& b)
{
    return a.uncovered < b.uncovered || (a.uncovered == b.uncovered && a.length < b.length);
}

struct Entry {
    double uncovered;
    double estimate;  // length so far plus the bound on what remains
    std::uint32_t node;
};

struct Later {
    bool operator()(const Entry& a, const Entry& b) const
    {
        if (a.uncovered != b.uncovered)
            return a.uncovered > b.uncovered;
        if (a.estimate != b.estimate)
            return a.estimate > b.estimate;
        return a.node > b.node;
    }
};

// Nodes 0 .. n-1 are the stations, n the departure and n + 1 the
// destination.
class Search {
public:
    Search(const CoverageNetwork& network, const RouteEnd& departure, const RouteEnd& destination)
        : m_net(network),
          m_n(static_cast<std::uint32_t>(network.size())),
          m_departure(m_n),
          m_destination(m_n + 1),
          m_ends{departure, destination},
          m_endDirections{directionOf(departure.latitude, departure.longitude),
                          directionOf(destination.latitude, destination.longitude)}
    {
    }

    BestRoute run()
    {
        coveredLegsOfEnd(m_departure, m_fromDeparture);
        coveredLegsOfEnd(m_destination, m_toDestination);
        if (coveredRouteMayExist()) {
            BestRoute route = search(false);
            if (reached())
                return route;
        }
        return search(true);
    }

private:
    bool reached() const { return m_cost[m_destination].uncovered < UNBOUNDED; }

    const Direction& direction(std::uint32_t node) const
    {
        return node < m_n ? m_net.direction(node) : m_endDirections[node - m_n];
    }
    double range(std::uint32_t node) const { return node < m_n ? m_net.rangeNm(node) : 0.0; }
    double penalty(std::uint32_t node) const { return node < m_n ? m_net.penaltyNm(node) : 0.0; }
    double length(std::uint32_t a, std::uint32_t b) const
    {
        const auto lat = [&](std::uint32_t v) { return v < m_n ? m_net.station(v).latitude : m_ends[v - m_n].latitude; };
        const auto lon = [&](std::uint32_t v) {
            return v < m_n ? m_net.station(v).longitude : m_ends[v - m_n].longitude;
        };
        return geodesicNm(lat(a), lon(a), lat(b), lon(b));
    }
    // A bound of the cost still to come, worked out once a node: the arc
    // bound of the way to go and, over covered legs, the per-leg term of
    // the fewest legs that can span it. A covered leg between stations is
    // at most twice the longest range, one to or from an airport at most
    // that range; so from any node but the destination at least
    // 1 + ceil((arc - longest) / (2 longest)) legs remain. The bound never
    // falls by more than a leg's cost, as A* needs to stay exact.
    double remaining(std::uint32_t node)
    {
        if (node == m_destination)
            return 0.0;
        double& known = m_remaining[node];
        if (known < 0.0) {
            const double arc = geodesicLowerBoundNm(direction(node), m_endDirections[1]);
            known = arc;
            const double longest = m_net.maxRangeNm();
            if (!m_everyLeg && longest > 0.0)
                known += PER_LEG_NM * (1.0 + std::ceil(std::max(0.0, arc - longest) / (2.0 * longest)));
        }
        return known;
    }

    // What any route from the node on to the destination leaves uncovered
    // at least. From outside the destination's covered part a route must
    // cross into it, and from a station it must first leave the station's
    // own part: the narrowest gap of either kind is a bound, and one that
    // never falls by more than a leg's uncovered distance, as A* needs.
    double uncoveredAhead(std::uint32_t node)
    {
        if (m_inDestinationPart[node])
            return 0.0;
        if (node >= m_n)
            return m_gapIntoDestination;
        return std::max(m_gapIntoDestination, gapOutOfPart(m_net.partLeader(node)));
    }

    // A bound below the uncovered distance of any leg from the part led by
    // station p to a station of another part or to the destination, from
    // the arc bound alone (no geodesic is needed for a bound); worked out
    // when first asked, as a search meets a few of the world's parts. Each
    // station of the part looks ever farther round itself until what lies
    // beyond cannot narrow the gap.
    double gapOutOfPart(std::uint32_t p)
    {
        double& known = m_gapOutOfPart[p];
        if (known >= 0.0)
            return known;
        const std::vector<std::uint32_t>& members = m_net.partMembers(p);
        const std::uint32_t* const first = members.data();
        const std::uint32_t* const last = first + members.size();
        double gap = UNBOUNDED;
        for (const std::uint32_t* s = first; s != last; ++s) {
            const double lower = geodesicLowerBoundNm(m_net.direction(*s), m_endDirections[1]);
            gap = std::min(gap, std::max(0.0, lower - m_net.rangeNm(*s)));
        }
        for (const std::uint32_t* member = first; member != last && gap > 0.0; ++member) {
            const std::uint32_t i = *member;
            const double reach = m_net.rangeNm(i);
            // Ever wider rings: a station beyond a ring's edge leaves more
            // than its width uncovered on a leg from station i, so once the
            // gap is no wider, nothing farther can narrow it.
            for (double width = GAP_RING_NM; gap > 0.0; width *= 4.0) {
                const double edge = std::min(gap, width);
                m_net.forEachWithinOfStation(i, reach + edge, [&](std::uint32_t j) {
                    if (m_net.inPart(j, p))
                        return;
                    gap = std::min(gap, std::max(0.0, seriesLowerBoundNm(m_net.direction(i), m_net.direction(j)) -
                                                          m_net.rangeNm(i) - m_net.rangeNm(j)));
                });
                if (gap <= width)
                    break;
            }
        }
        known = gap == UNBOUNDED ? 0.0 : gap;
        return known;
    }

    void relax(std::uint32_t from, std::uint32_t to, double uncovered, double lengthNm)
    {
        const Cost candidate{m_cost[from].uncovered + uncovered,
                             m_cost[from].length + lengthNm + PER_LEG_NM + penalty(to)};
        if (!cheaper(candidate, m_cost[to]))
            return;
        m_cost[to] = candidate;
        m_parent[to] = from;
        m_legLength[to] = lengthNm;
        m_queue.push(Entry{candidate.uncovered + uncoveredAhead(to), candidate.length + remaining(to), to});
    }

    // The destination's covered part, and the narrowest gap into it: the
    // parts of the stations that cover the destination. The gap starts at
    // the direct leg's and narrows as each station of the part looks round
    // itself as far as a narrower one could lie.
    void measureDestinationPart()
    {
        const std::size_t nodes = m_n + 2;
        m_inDestinationPart.assign(nodes, false);
        m_inDestinationPart[m_destination] = true;
        std::vector<std::uint32_t> part{m_destination};
        for (std::uint32_t s = 0; s < m_n; ++s) {
            if (m_toDestination[s] < 0.0 || m_inDestinationPart[s])
                continue;
            for (const std::uint32_t member : m_net.partMembers(m_net.partLeader(s))) {
                m_inDestinationPart[member] = true;
                part.push_back(member);
            }
        }
        const auto narrow = [&](std::uint32_t x, std::uint32_t y, const Direction& at) {
            if (m_inDestinationPart[x])
                return;
            const double both = range(x) + range(y);
            if (chordLowerBoundNm(at, direction(x)) - both >= m_gapIntoDestination ||
                seriesLowerBoundNm(at, direction(x)) - both >= m_gapIntoDestination)
                return;
            m_gapIntoDestination = std::min(m_gapIntoDestination, std::max(0.0, length(x, y) - both));
        };
        m_gapIntoDestination = std::max(0.0, length(m_departure, m_destination));
        for (std::uint32_t y : part) {
            const Direction& at = direction(y);
            narrow(m_departure, y, at);
            if (m_gapIntoDestination == 0.0)
                break;
            m_net.forEachWithin(at, m_gapIntoDestination + range(y), [&](std::uint32_t x) { narrow(x, y, at); });
        }
        m_gapOutOfPart.assign(m_n, -1.0);
    }

    // Whether covered legs may join the two airports: not where every
    // station that covers one airport is of a small part, found at once,
    // that holds no station covering the other. A search over the covered
    // legs would learn that only by walking the whole part of the other
    // airport, a continent's stations where it lies on one.
    bool coveredRouteMayExist() const
    {
        if (length(m_departure, m_destination) <= 0.0)
            return true;
        for (const bool fromDeparture : {true, false}) {
            const std::vector<double>& covering = fromDeparture ? m_fromDeparture : m_toDestination;
            const std::vector<double>& other = fromDeparture ? m_toDestination : m_fromDeparture;
            std::vector<std::uint32_t> leaders;
            bool small = true, meets = false;
            for (std::uint32_t s = 0; s < m_n && small && !meets; ++s) {
                if (covering[s] < 0.0)
                    continue;
                std::uint32_t leader = 0;
                small = m_net.partLeaderWithin(s, SMALL_PART_STATIONS, leader);
                if (!small || std::find(leaders.begin(), leaders.end(), leader) != leaders.end())
                    continue;
                leaders.push_back(leader);
                for (const std::uint32_t member : m_net.partMembers(leader))
                    meets = meets || other[member] >= 0.0;
            }
            if (small && !meets)
                return false;
        }
        return true;
    }

    // The legs from an airport to the stations that cover them.
    void coveredLegsOfEnd(std::uint32_t end, std::vector<double>& lengths) const
    {
        lengths.assign(m_n, -1.0);
        const Direction& at = direction(end);
        for (std::uint32_t s = 0; s < m_n; ++s) {
            if (chordLowerBoundNm(at, m_net.direction(s)) > m_net.rangeNm(s))
                continue;
            const double d = length(end, s);
            if (d <= m_net.rangeNm(s))
                lengths[s] = d;
        }
    }

    void expandCovered(std::uint32_t u)
    {
        if (u == m_departure) {
            for (std::uint32_t s = 0; s < m_n; ++s) {
                if (m_fromDeparture[s] >= 0.0)
                    relax(u, s, 0.0, m_fromDeparture[s]);
            }
            // Two airports in one place need no beacon between them.
            const double direct = length(m_departure, m_destination);
            if (direct <= 0.0)
                relax(u, m_destination, 0.0, direct);
            return;
        }
        for (const CoverageNetwork::Edge* e = m_net.edgesBegin(u); e != m_net.edgesEnd(u); ++e)
            relax(u, e->to, 0.0, e->lengthNm);
        if (m_toDestination[u] >= 0.0)
            relax(u, m_destination, 0.0, m_toDestination[u]);
    }

    // The leg from u to v, where a lower bound of its length could still
    // make v cheaper; only then is it worth measuring exactly.
    void tryLeg(std::uint32_t u, std::uint32_t v)
    {
        if (v == u || v == m_departure || m_closed[v])
            return;
        const Cost here = m_cost[u];
        const Cost& there = m_cost[v];
        if (here.uncovered > there.uncovered)
            return;
        const double both = range(u) + range(v);
        // No better than a route already found to the destination.
        const double bound = m_cost[m_destination].uncovered - uncoveredAhead(v);
        if (here.uncovered > bound)
            return;
        // A bound that never exceeds the leg cannot rule out a leg that
        // would make v cheaper, or one that leads to a better route.
        const double lower = seriesLowerBoundNm(direction(u), direction(v));
        const double uncoveredAtLeast = here.uncovered + std::max(0.0, lower - both);
        if (uncoveredAtLeast > bound)
            return;
        if (there.uncovered < UNBOUNDED) {
            const double allowance = there.uncovered - here.uncovered + both + 1e-6;
            if (lower > allowance)
                return;
            if (uncoveredAtLeast > there.uncovered)
                return;
            if (uncoveredAtLeast == there.uncovered &&
                here.length + lower + PER_LEG_NM + penalty(v) >= there.length)
                return;
        }
        const double d = length(u, v);
        relax(u, v, std::max(0.0, d - both), d);
    }

    // Every leg from u. The destination first: what it costs bounds how far
    // a leg may reach and still lead to a better route (its uncovered part
    // may be no more than the destination's cost less u's), so only the
    // stations that near u are tried, and of u's own part only those a
    // covered leg may join. They are tried outward in latitude,
    // southward first, so that of two routes equal to the last bit the same
    // one wins however the stations were found.
    void expandEvery(std::uint32_t u)
    {
        tryLeg(u, m_destination);
        const std::vector<std::uint32_t>& order = m_net.bandOrder();
        std::size_t start = 0;
        if (u < m_n) {
            start = m_bandPosition[u];
        } else {
            const double bandHere = std::asin(std::clamp(direction(u).z, -1.0, 1.0));
            start = static_cast<std::size_t>(
                std::lower_bound(order.begin(), order.end(), bandHere,
                                 [&](std::uint32_t s, double band) { return m_net.band(s) < band; }) -
                order.begin());
        }
        const double reach = m_cost[m_destination].uncovered - m_cost[u].uncovered + range(u);
        std::vector<std::size_t>& below = m_below;
        std::vector<std::size_t>& above = m_above;
        below.clear();
        above.clear();
        // A station of u's own part is reached as covered as u is, along
        // covered legs: a leg to it that is not covered can only be worse.
        const std::uint32_t leader = u < m_n ? m_net.partLeader(u) : 0;
        // And a leg that leaves more uncovered, by the cheapest bound, than
        // the best route found so far is not worth a look at the part it
        // leads to.
        const double spare = m_cost[m_destination].uncovered - m_cost[u].uncovered;
        m_net.forEachWithin(direction(u), reach, [&](std::uint32_t v) {
            const double uncoveredAtLeast = chordLowerBoundNm(direction(u), direction(v)) - range(u) - range(v);
            if (uncoveredAtLeast > spare || (u < m_n && uncoveredAtLeast > 0.0 && m_net.inPart(v, leader)))
                return;
            const std::size_t position = m_bandPosition[v];
            if (position < start)
                below.push_back(position);
            else if (position > start || u >= m_n)
                above.push_back(position);
        });
        std::sort(below.begin(), below.end(), std::greater<>());
        std::sort(above.begin(), above.end());
        for (const std::size_t position : below)
            tryLeg(u, order[position]);
        for (const std::size_t position : above)
            tryLeg(u, order[position]);
    }

    BestRoute search(bool everyLeg)
    {
        m_everyLeg = everyLeg;
        const std::size_t nodes = m_n + 2;
        m_cost.assign(nodes, Cost{});
        m_parent.assign(nodes, m_departure);
        m_legLength.assign(nodes, 0.0);
        m_remaining.assign(nodes, -1.0);
        m_closed.assign(nodes, false);
        m_queue = decltype(m_queue)();
        if (!everyLeg) {
            m_inDestinationPart.assign(nodes, true);
            m_gapIntoDestination = 0.0;
            m_gapOutOfPart.clear();
        } else {
            measureDestinationPart();
            m_bandPosition.assign(m_n, 0);
            for (std::size_t i = 0; i < m_n; ++i)
                m_bandPosition[m_net.bandOrder()[i]] = i;
        }
        m_cost[m_departure] = Cost{0.0, 0.0};
        m_queue.push(Entry{uncoveredAhead(m_departure), remaining(m_departure), m_departure});
        while (!m_queue.empty()) {
            const Entry top = m_queue.top();
            m_queue.pop();
            if (m_closed[top.node])
                continue;
            m_closed[top.node] = true;
            if (top.node == m_destination)
                break;
            if (everyLeg)
                expandEvery(top.node);
            else
                expandCovered(top.node);
        }

        BestRoute route;
        route.searchedEveryLeg = everyLeg;
        if (!reached())
            return route;
        route.uncoveredNm = m_cost[m_destination].uncovered;
        route.distanceNm = m_legLength[m_destination];
        for (std::uint32_t v = m_parent[m_destination]; v != m_departure; v = m_parent[v]) {
            route.stations.push_back(v);
            route.distanceNm += m_legLength[v];
        }
        std::reverse(route.stations.begin(), route.stations.end());
        return route;
    }

    const CoverageNetwork& m_net;
    const std::uint32_t m_n, m_departure, m_destination;
    const RouteEnd m_ends[2];
    const Direction m_endDirections[2];
    std::vector<double> m_fromDeparture, m_toDestination;
    std::vector<bool> m_inDestinationPart;
    double m_gapIntoDestination = 0.0;
    std::vector<double> m_gapOutOfPart;  // by the part's leader; -1 until worked out
    std::vector<Cost> m_cost;
    std::vector<std::uint32_t> m_parent;
    std::vector<double> m_legLength;  // of the leg that reached the node
    std::vector<double> m_remaining;  // -1 until worked out
    bool m_everyLeg = false;
    std::vector<bool> m_closed;
    std::vector<std::size_t> m_bandPosition;  // of each station in the network's band order
    std::vector<std::size_t> m_below, m_above;  // expandEvery's stations, kept for their memory
    std::priority_queue<Entry, std::vector<Entry>, Later> m_queue;
};

}  // namespace

BestRoute findBestRoute(const CoverageNetwork& network, const RouteEnd& departure, const RouteEnd& destination)
{
    return Search(network, departure, destination).run();
}

}  // namespace coverage
