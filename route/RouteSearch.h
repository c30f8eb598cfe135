// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

class CDatabase;
class CRecordset;
class RowSink;

// The greedy VOR chain from a departure airport toward a destination
// airport. From the current point it asks for the VORs in a box of whole
// degrees around it, accepts those within the search range that lie strictly
// nearer the destination, takes the one with the least sum of both distances,
// appends it to the route list at once and goes on from it; it widens the
// range (and, far out, the box) a bounded number of times before giving up.
// A database failure leaves the rows appended so far and propagates.
class RouteSearch {
public:
    RouteSearch(CDatabase* pDatabase, std::string departureID, std::string destinationID, RowSink& route);
    virtual ~RouteSearch() = default;

    // Appends the whole route, from the departure airport on.
    void Run();

    // Runs the step from the current point (table "airports" or "navs") and
    // every step after it.
    void ExtendRouteFrom(const std::string& currentID, const std::string& destinationID, const std::string& table);

    // The VORs in the box around the current point for try index 0..6, open.
    virtual std::unique_ptr<CRecordset> QueryCandidateBeacons(const std::string& currentID,
                                                      const std::string& destinationID,
                                                      const std::string& table, int tryIndex);

    // Appends the route row of a chosen beacon.
    void AddRouteRow(const std::string& beaconID);

    // The navs IDs of the beacons chosen since Run started, in flying order:
    // what a flight plan is built from.
    const std::vector<std::string>& ChosenBeaconIDs() const { return m_chosenIDs; }

private:
    // One step: the chosen beacon's ID, or "" when the route ends here.
    std::string ChooseNextBeacon(const std::string& currentID, const std::string& destinationID,
                                 const std::string& table);

    CDatabase* m_pDatabase;
    std::string m_strDepartureID;
    std::string m_strDestinationID;
    RowSink& m_route;
    std::vector<std::string> m_chosenIDs;
};

// The whole-degree box of a candidate query: half-width h around the current
// point, clauses ordered toward the destination, hemisphere clauses only for
// non-zero degrees. A box whose longitude reaches the 180th meridian also
// takes the beacons just across it, so that a route can cross the line.
std::string CandidateQueryText(const std::string& latDir, int lat, const std::string& longDir, int lon,
                               int destinationLat, int destinationLon, int halfWidth);

// Half-width in whole degrees for a try index and the current point's
// distance to the destination.
int CandidateHalfWidth(int tryIndex, double distanceToDestination);

// Search constants.
inline constexpr unsigned ROUTE_FIRST_RANGE_NM = 80;
inline constexpr unsigned ROUTE_RANGE_STEP_NM = 20;
inline constexpr int ROUTE_TRIES = 7;
inline constexpr double ROUTE_FIRST_LAST_DISTANCE = 500.0;
