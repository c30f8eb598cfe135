// SPDX-License-Identifier: GPL-3.0-or-later
#include "route/Position.h"

#include "data/DBException.h"
#include "data/Recordset.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// No coordinate of the earth needs more whole degrees; anything beyond is a
// damaged row, and would overflow the bounds of a candidate box.
constexpr long MAX_WHOLE_DEGREES = 360;

[[noreturn]] void ThrowOutOfRange(const std::string& text)
{
    throw CDBException("The whole-degree text \"" + text + "\" lies outside -360 to 360.");
}

// A plain decimal: an optional minus, digits, and optionally a point with
// more digits, nothing else. The database writes its numbers so.
bool IsPlainDecimal(const std::string& text)
{
    std::size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
    auto digits = [&text, &i] {
        std::size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        return i > start;
    };
    if (!digits())
        return false;
    if (i < text.size() && text[i] == '.') {
        ++i;
        if (!digits())
            return false;
    }
    return i == text.size();
}

float ParseFloat(const std::string& text)
{
    float value = 0.0f;
    // A plain decimal is the whole of what "%f" would match, and scanf
    // converts what it matched with strtof: calling that directly gives the
    // same number at a tenth of the cost. Anything else goes through "%f".
    if (IsPlainDecimal(text)) {
        value = std::strtof(text.c_str(), nullptr);
    } else if (std::sscanf(text.c_str(), "%f", &value) != 1) {
        throw CDBException("The coordinate text \"" + text + "\" is not a number.");
    }
    // "nan" and "inf" are numbers to "%f" but no place on earth; a measure
    // with them would silently accept or reject every candidate.
    if (!std::isfinite(value))
        throw CDBException("The coordinate text \"" + text + "\" is not a number.");
    return value;
}

float ParseWholeDegrees(const std::string& text)
{
    float value = ParseFloat(text);
    if (std::fabs(value) > static_cast<float>(MAX_WHOLE_DEGREES))
        ThrowOutOfRange(text);
    return value;
}

bool IsNegativeHemisphere(const std::string& dir)
{
    return !dir.empty() && (dir[0] == 'S' || dir[0] == 's' || dir[0] == 'W' || dir[0] == 'w');
}

}  // namespace

std::string PositionText(const std::string& dir, const std::string& major, const std::string& minor)
{
    return dir + major + "* " + minor + "'";
}

namespace {

// The six position columns of the current row, as text.
struct PositionColumns {
    std::string latDir, latMajor, latMinor, longDir, longMajor, longMinor;
};

PositionColumns ReadPositionColumns(CRecordset& rs)
{
    PositionColumns c;
    rs.GetFieldValue("LongMajor", c.longMajor);
    rs.GetFieldValue("LongMinor", c.longMinor);
    rs.GetFieldValue("LatMajor", c.latMajor);
    rs.GetFieldValue("LatMinor", c.latMinor);
    rs.GetFieldValue("LatDir", c.latDir);
    rs.GetFieldValue("LongDir", c.longDir);
    return c;
}

}  // namespace

PositionTexts ReadPositionTexts(CRecordset& rs)
{
    PositionColumns c = ReadPositionColumns(rs);
    return {PositionText(c.latDir, c.latMajor, c.latMinor), PositionText(c.longDir, c.longMajor, c.longMinor)};
}

float SignedDegrees(const std::string& dir, const std::string& major, const std::string& minor)
{
    float whole = ParseWholeDegrees(major);
    float hundredths = ParseFloat(minor);
    // The scale is a single-precision 0.01; product and sum are formed in
    // double and only the result is rounded to single precision.
    float magnitude = static_cast<float>(static_cast<double>(whole) +
                                         static_cast<double>(hundredths) * static_cast<double>(0.01f));
    return IsNegativeHemisphere(dir) ? -magnitude : magnitude;
}

int WholeDegrees(const std::string& text)
{
    // The leading integer, as "%d" reads it, but without its undefined
    // behaviour on numbers too large for an int.
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(begin, &end, 10);
    if (end == begin)
        throw CDBException("The whole-degree text \"" + text + "\" is not a number.");
    if (errno == ERANGE || value < -MAX_WHOLE_DEGREES || value > MAX_WHOLE_DEGREES)
        ThrowOutOfRange(text);
    return static_cast<int>(value);
}

Coordinates ReadCoordinates(CRecordset& rs)
{
    PositionColumns c = ReadPositionColumns(rs);
    return {SignedDegrees(c.latDir, c.latMajor, c.latMinor), SignedDegrees(c.longDir, c.longMajor, c.longMinor)};
}

double LongitudeDifference(float fromLongitude, float toLongitude)
{
    double difference = static_cast<double>(toLongitude) - static_cast<double>(fromLongitude);
    if (std::fabs(difference) > 180.0)
        difference = 360.0 - std::fabs(difference);
    return difference;
}

double FlatDistance(const Coordinates& a, const Coordinates& b)
{
    double latitudeDifference = static_cast<double>(b.latitude) - static_cast<double>(a.latitude);
    double longitudeDifference = LongitudeDifference(a.longitude, b.longitude);
    return std::sqrt(std::pow(latitudeDifference, 2.0) + std::pow(longitudeDifference, 2.0)) * NM_PER_DEGREE;
}
