// SPDX-License-Identifier: GPL-3.0-or-later
#include "route/AirportInfo.h"

#include "route/Position.h"
#include "data/Quoting.h"
#include "data/Recordset.h"
#include "route/RowSink.h"

AirportInfo ReadAirportInfo(CRecordset& rs)
{
    PositionTexts position = ReadPositionTexts(rs);
    std::string elevation, frequency;
    rs.GetFieldValue("Elevation", elevation);
    rs.GetFieldValue("Frequency", frequency);

    AirportInfo info;
    info.latitude = position.latitude;
    info.longitude = position.longitude;
    info.elevation = elevation + " ft.";
    info.atis = FrequencyText(frequency);
    rs.GetFieldValue("ID", info.id);
    rs.GetFieldValue("Name", info.name);
    return info;
}

AirportInfo LoadAirportInfo(CDatabase* pDatabase, const std::string& id)
{
    CRecordset rs(pDatabase);
    rs.Open(CRecordset::forwardOnly, "SELECT * FROM airports WHERE id=" + id, CRecordset::none);
    return ReadAirportInfo(rs);
}

void ListRunways(CDatabase* pDatabase, const std::string& airportID, RowSink& runways)
{
    CRecordset rs(pDatabase);
    if (!rs.Open(CRecordset::forwardOnly,
                 "SELECT * FROM runways,airports WHERE runways.airport_id=airports.ID AND airports.ID=" + airportID,
                 CRecordset::none))
        return;
    for (int row = 0; !rs.IsEOF(); ++row) {
        std::string number, length, type, ils;
        rs.GetFieldValue("Number", number);
        rs.GetFieldValue("Length", length);
        rs.GetFieldValue("Type", type);
        rs.GetFieldValue("ILS", ils);
        int index = runways.InsertItem(row, number);
        runways.SetItemText(index, 1, length);
        runways.SetItemText(index, 2, type);
        runways.SetItemText(index, 3, FrequencyText(ils));
        rs.MoveNext();
    }
    rs.Close();
}
