#include "Distance.h"

#include "Position.h"
#include "Recordset.h"

#include <cmath>

double GetDistance(CDatabase* pDatabase, const std::string& idA, const std::string& idB,
                   const std::string& tableA, const std::string& tableB)
{
    CRecordset rs(pDatabase);
    rs.Open(CRecordset::forwardOnly, "SELECT * FROM " + tableA + " WHERE id=" + idA, CRecordset::none);
    Coordinates a = ReadCoordinates(rs);
    rs.Close();

    rs.Open(CRecordset::forwardOnly, "SELECT * FROM " + tableB + " WHERE id=" + idB, CRecordset::none);
    Coordinates b = ReadCoordinates(rs);
    rs.Close();

    double latitudeDifference = static_cast<double>(b.latitude) - static_cast<double>(a.latitude);
    double longitudeDifference = LongitudeDifference(a.longitude, b.longitude);
    return std::sqrt(std::pow(latitudeDifference, 2.0) + std::pow(longitudeDifference, 2.0)) * NM_PER_DEGREE;
}
