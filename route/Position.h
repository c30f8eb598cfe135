// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class CRecordset;

// Nautical miles per degree of coordinate difference, on either axis.
inline constexpr double NM_PER_DEGREE = 60.059;

// The shown form of a stored coordinate: direction, whole degrees, "* ",
// hundredths, "'" (N40* 63.94'). Texts are used as the database returns them.
std::string PositionText(const std::string& dir, const std::string& major, const std::string& minor);

// The latitude and longitude texts of the current row of a query on a
// table with position columns.
struct PositionTexts {
    std::string latitude;
    std::string longitude;
};
PositionTexts ReadPositionTexts(CRecordset& rs);

// Major + Minor hundredths as a single-precision number of degrees, signed by
// the hemisphere (S and W negative). Both texts are read as "%f" reads them;
// a text that is no finite number, or a Major beyond 360, is a database-layer
// error naming the text.
float SignedDegrees(const std::string& dir, const std::string& major, const std::string& minor);

// The leading whole number of a text, as "%d" reads it. A text without one,
// or a value beyond 360 degrees either way, is a database-layer error naming
// the text.
int WholeDegrees(const std::string& text);

struct Coordinates {
    float latitude;
    float longitude;
};

// Reads the six coordinate columns of the current row.
Coordinates ReadCoordinates(CRecordset& rs);

// Degrees of longitude between two signed longitudes, the short way round.
double LongitudeDifference(float fromLongitude, float toLongitude);

// Nautical miles between two positions: the plain Pythagoras of the degree
// differences, NM_PER_DEGREE to the degree on both axes.
double FlatDistance(const Coordinates& a, const Coordinates& b);
