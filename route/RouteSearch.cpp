// SPDX-License-Identifier: GPL-3.0-or-later
#include "route/RouteSearch.h"

#include "route/Distance.h"
#include "route/Position.h"
#include "data/Quoting.h"
#include "data/Recordset.h"
#include "route/RowSink.h"

#include <cstdio>
#include <vector>

namespace {

const std::string AIRPORTS = "airports";
const std::string NAVS = "navs";

std::string FormatMiles(double miles)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.2lf", miles);
    return text;
}

// The box keeps to the current point's hemisphere of longitude, except where
// its outer bound B reaches the 180th meridian: there it also takes the other
// hemisphere's whole degrees from 359 - B on, the ones just across the line.
std::string LongitudeHemisphereClause(const std::string& longDir, int outerBound)
{
    std::string own = " AND LongDir='" + longDir + "'";
    const char* other = longDir == "W" ? "E" : longDir == "E" ? "W" : nullptr;
    if (outerBound < 180 || !other)
        return own;
    return " AND (LongDir='" + longDir + "' OR (LongDir='" + other + "' AND LongMajor>=" +
           std::to_string(359 - outerBound) + "))";
}

}  // namespace

int CandidateHalfWidth(int tryIndex, double distanceToDestination)
{
    if (tryIndex > 0 && (tryIndex + 1) * NM_PER_DEGREE < distanceToDestination)
        return tryIndex + 1;
    return 1;
}

std::string CandidateQueryText(const std::string& latDir, int lat, const std::string& longDir, int lon,
                               int destinationLat, int destinationLon, int halfWidth)
{
    // Clause order differs with the side the destination lies on; the box
    // is the same either way.
    bool latAbove = lat > destinationLat;
    bool lonAbove = lon > destinationLon;
    char text[256];
    std::snprintf(text, sizeof text,
                  "SELECT * FROM navs WHERE LatMajor%s%d AND LongMajor%s%d AND LatMajor%s%d AND LongMajor%s%d",
                  latAbove ? ">=" : "<=", latAbove ? lat - halfWidth : lat + halfWidth,
                  lonAbove ? ">=" : "<=", lonAbove ? lon - halfWidth : lon + halfWidth,
                  latAbove ? "<=" : ">=", latAbove ? lat + halfWidth : lat - halfWidth,
                  lonAbove ? "<=" : ">=", lonAbove ? lon + halfWidth : lon - halfWidth);
    std::string sql = text;
    sql += " AND type='VOR'";
    if (lat != 0)
        sql += " AND LatDir='" + latDir + "'";
    if (lon != 0)
        sql += LongitudeHemisphereClause(longDir, lon + halfWidth);
    return sql;
}

RouteSearch::RouteSearch(CDatabase* pDatabase, std::string departureID, std::string destinationID,
                         RowSink& route)
    : m_pDatabase(pDatabase),
      m_strDepartureID(std::move(departureID)),
      m_strDestinationID(std::move(destinationID)),
      m_route(route)
{
}

void RouteSearch::Run()
{
    m_chosenIDs.clear();
    ExtendRouteFrom(m_strDepartureID, m_strDestinationID, AIRPORTS);
}

void RouteSearch::ExtendRouteFrom(const std::string& currentID, const std::string& destinationID,
                                  const std::string& table)
{
    // Each step continues from the beacon the step before chose; a loop
    // rather than nesting keeps a long route off the stack.
    std::string current = currentID;
    std::string currentTable = table;
    for (;;) {
        std::string chosen = ChooseNextBeacon(current, destinationID, currentTable);
        if (chosen.empty())
            return;
        AddRouteRow(chosen);
        m_chosenIDs.push_back(chosen);
        current = chosen;
        currentTable = NAVS;
    }
}

std::string RouteSearch::ChooseNextBeacon(const std::string& currentID, const std::string& destinationID,
                                          const std::string& table)
{
    unsigned range = ROUTE_FIRST_RANGE_NM;
    std::unique_ptr<CRecordset> candidates = QueryCandidateBeacons(currentID, destinationID, table, 0);
    for (int tryIndex = 1; candidates->IsEOF() && tryIndex < ROUTE_TRIES; ++tryIndex) {
        candidates = QueryCandidateBeacons(currentID, destinationID, table, tryIndex);
        range += ROUTE_RANGE_STEP_NM;
    }

    double toDestination = GetDistance(m_pDatabase, currentID, destinationID, table, AIRPORTS);
    double lastToDestination = ROUTE_FIRST_LAST_DISTANCE;  // kept across the scans of this step
    std::vector<std::string> acceptedIDs;
    std::vector<double> acceptedScores;
    int widening = 1;

    for (;;) {
        for (; !candidates->IsEOF(); candidates->MoveNext()) {
            std::string id;
            candidates->GetFieldValue("ID", id);
            if (table == NAVS && id == currentID)
                continue;
            double fromCurrent = GetDistance(m_pDatabase, id, currentID, NAVS, table);
            lastToDestination = GetDistance(m_pDatabase, id, destinationID, NAVS, AIRPORTS);
            if (fromCurrent <= static_cast<double>(range) && lastToDestination < toDestination) {
                acceptedIDs.push_back(id);
                acceptedScores.push_back(fromCurrent + lastToDestination);
            }
        }
        candidates->Close();
        candidates.reset();

        if (!acceptedIDs.empty())
            break;
        if (static_cast<double>(range) >= lastToDestination || widening == ROUTE_TRIES)
            return {};
        range += ROUTE_RANGE_STEP_NM;
        candidates = QueryCandidateBeacons(currentID, destinationID, table, widening);
        ++widening;
    }

    // Among equal scores the earliest accepted stays.
    std::size_t best = 0;
    for (std::size_t i = 1; i < acceptedScores.size(); ++i) {
        if (acceptedScores[i] < acceptedScores[best])
            best = i;
    }
    return acceptedIDs[best];
}

std::unique_ptr<CRecordset> RouteSearch::QueryCandidateBeacons(const std::string& currentID,
                                                               const std::string& destinationID,
                                                               const std::string& table, int tryIndex)
{
    std::string latDir, longDir, text;
    int lat = 0, lon = 0, destinationLat = 0, destinationLon = 0;
    {
        CRecordset rs(m_pDatabase);
        rs.Open(CRecordset::forwardOnly, "SELECT * FROM " + table + " WHERE id=" + currentID, CRecordset::none);
        rs.GetFieldValue("LatDir", latDir);
        rs.GetFieldValue("LongDir", longDir);
        rs.GetFieldValue("LatMajor", text);
        lat = WholeDegrees(text);
        rs.GetFieldValue("LongMajor", text);
        lon = WholeDegrees(text);
        rs.Close();

        rs.Open(CRecordset::forwardOnly, "SELECT * FROM airports WHERE id=" + destinationID, CRecordset::none);
        rs.GetFieldValue("LatMajor", text);
        destinationLat = WholeDegrees(text);
        rs.GetFieldValue("LongMajor", text);
        destinationLon = WholeDegrees(text);
        rs.Close();
    }

    double toDestination = GetDistance(m_pDatabase, currentID, destinationID, table, AIRPORTS);
    int halfWidth = CandidateHalfWidth(tryIndex, toDestination);

    auto candidates = std::make_unique<CRecordset>(m_pDatabase);
    candidates->Open(CRecordset::forwardOnly,
                     CandidateQueryText(latDir, lat, longDir, lon, destinationLat, destinationLon, halfWidth),
                     CRecordset::none);
    return candidates;
}

void RouteSearch::AddRouteRow(const std::string& beaconID)
{
    CRecordset rs(m_pDatabase);
    rs.Open(CRecordset::forwardOnly, "SELECT * FROM navs WHERE id=" + beaconID, CRecordset::none);
    std::string name, frequency, elevation;
    rs.GetFieldValue("Name", name);
    rs.GetFieldValue("Frequency", frequency);
    PositionTexts position = ReadPositionTexts(rs);
    rs.GetFieldValue("Elevation", elevation);

    std::string fromDeparture = FormatMiles(GetDistance(m_pDatabase, beaconID, m_strDepartureID, NAVS, AIRPORTS));
    std::string toDestination =
        FormatMiles(GetDistance(m_pDatabase, beaconID, m_strDestinationID, NAVS, AIRPORTS));

    int row = m_route.GetItemCount();
    row = m_route.InsertItem(row, name);
    m_route.SetItemText(row, 1, FrequencyText(frequency));
    m_route.SetItemText(row, 2, position.latitude);
    m_route.SetItemText(row, 3, position.longitude);
    m_route.SetItemText(row, 4, elevation);
    m_route.SetItemText(row, 5, fromDeparture);
    m_route.SetItemText(row, 6, toDestination);
    rs.Close();
}
