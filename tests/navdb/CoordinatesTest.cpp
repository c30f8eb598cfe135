// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/Coordinates.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using navdb::Axis;
using navdb::splitCoordinate;

namespace {

// The minor part must be exactly the double a reader gets for the decimal
// text, otherwise SQLite shows 63.940000000000005.
std::string exactMinor(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

// The split as the database shows it: "N 40 63.94".
std::string split(const std::string& text, Axis axis)
{
    const auto result = splitCoordinate(text, axis);
    if (!result)
        return "invalid";
    return std::string(1, result->direction) + " " + std::to_string(result->major) + " " + exactMinor(result->minor);
}

struct SplitCase {
    const char* text;
    Axis axis;
    std::string split;
};

}  // namespace

TEST(Coordinates, SplitIntoHemisphereDegreesAndHundredths)
{
    const SplitCase cases[] = {
        // Every hemisphere.
        {"40.639447", Axis::Latitude, "N 40 " + exactMinor(63.94)},
        {"-73.778925", Axis::Longitude, "W 73 " + exactMinor(77.89)},
        {"-33.946111", Axis::Latitude, "S 33 " + exactMinor(94.61)},
        {"151.177222", Axis::Longitude, "E 151 " + exactMinor(17.72)},
        {"52.55889892578125", Axis::Latitude, "N 52 " + exactMinor(55.89)},
        // Rounding up to a whole degree carries.
        {"40.99999", Axis::Latitude, "N 41 0"},
        {"-179.99996", Axis::Longitude, "W 180 0"},
        {"40.99994", Axis::Latitude, "N 40 " + exactMinor(99.99)},
        // Halves round away from zero as written in decimal; as binary
        // doubles these lie just below the half and would round down.
        {"10.00005", Axis::Latitude, "N 10 " + exactMinor(0.01)},
        {"-1.00125", Axis::Longitude, "W 1 " + exactMinor(0.13)},
        {"1.00124999", Axis::Latitude, "N 1 " + exactMinor(0.12)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(split(c.text, c.axis), c.split) << c.text;
}

TEST(Coordinates, ZeroAndOtherSpellingsOfNumbers)
{
    const SplitCase cases[] = {
        // Zero and the hemisphere of values near it.
        {"0.0", Axis::Latitude, "N 0 0"},
        {"-0.0", Axis::Longitude, "E 0 0"},
        {"0", Axis::Longitude, "E 0 0"},
        {"-0.00001", Axis::Latitude, "S 0 0"},
        {"3.2e-05", Axis::Latitude, "N 0 0"},
        {"5e-5", Axis::Latitude, "N 0 " + exactMinor(0.01)},
        // Other spellings of numbers.
        {" 12.5 ", Axis::Latitude, "N 12 50"},
        {"+12.", Axis::Latitude, "N 12 0"},
        {".5", Axis::Longitude, "E 0 50"},
        {"1.2345E1", Axis::Latitude, "N 12 " + exactMinor(34.5)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(split(c.text, c.axis), c.split) << c.text;
}

TEST(Coordinates, RejectsTextAndValuesOffTheGlobe)
{
    for (const char* text : {"", " ", "north", "12.5N", "1e", "1e+", "--1", ".", "nan", "inf", "12,5", "1.2.3"}) {
        EXPECT_EQ(split(text, Axis::Latitude), "invalid") << text;
    }
    EXPECT_EQ(split("90", Axis::Latitude), "N 90 0");
    EXPECT_EQ(split("-90.0001", Axis::Latitude), "invalid");
    EXPECT_EQ(split("180", Axis::Longitude), "E 180 0");
    EXPECT_EQ(split("180.01", Axis::Longitude), "invalid");
    EXPECT_EQ(split("1e300", Axis::Longitude), "invalid");
}
