// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/Surface.h"

#include <gtest/gtest.h>

using navdb::surfaceName;

TEST(Surface, CommonCodesInAnyCaseBecomePlainWords)
{
    const std::pair<const char*, const char*> cases[] = {
        {"ASP", "Asphalt"},   {"asph", "Asphalt"},   {"Asphalt", "Asphalt"}, {"CON", "Concrete"},
        {"CONC", "Concrete"}, {"concrete", "Concrete"}, {"GRS", "Grass"},     {"TURF", "Grass"},
        {"GRE", "Gravel"},    {"GRVL", "Gravel"},    {"GVL", "Gravel"},      {"DIRT", "Dirt"},
        {"WATER", "Water"},   {"BIT", "Bitumen"},    {"PEM", "Paved"},       {"SAND", "Sand"},
        {"SNOW", "Snow"},     {"ICE", "Ice"},        {"CLAY", "Clay"},       {"COR", "Coral"},
        {"LAT", "Laterite"},  {"PSP", "Steel mats"}, {"MATS", "Steel mats"}, {"UNK", "Unknown"},
        {"UNKNOWN", "Unknown"},
    };
    for (const auto& [code, name] : cases) {
        EXPECT_EQ(surfaceName(code), name) << code;
    }
}

TEST(Surface, CompoundsAreNamedByTheirFirstMaterial)
{
    // Colours, conditions and treatments name no material and are passed over.
    const std::pair<const char*, const char*> cases[] = {
        {"ASPH-G", "Asphalt"}, {"ASPH-CONC", "Asphalt"}, {"ASPH/ CONC", "Asphalt"}, {"TURF-DIRT-F", "Grass"},
        {"GRASS / SOD", "Grass"}, {"CON-ROOF", "Concrete"}, {"GRASSED BROWN CLAY", "Grass"},
        {"BROWN SILT CLAY", "Clay"}, {"TRTD-DIRT-P", "Dirt"},
        {"PIERCED STEEL PLANKING / LANDING MATS / MEMBRANES", "Steel mats"},
    };
    for (const auto& [source, name] : cases)
        EXPECT_EQ(surfaceName(source), name) << source;
}

TEST(Surface, NonAsciiLettersAreMatchedWithoutRegardToCase)
{
    EXPECT_EQ(surfaceName("Pi\xC3\xA7" "arra"), "Gravel");
    EXPECT_EQ(surfaceName("GRVL/PI\xC3\x87"), "Gravel");
}

TEST(Surface, UnknownCodesAreKeptAsGivenAndEmptyStaysEmpty)
{
    EXPECT_EQ(surfaceName("Moon Dust"), "Moon Dust");
    EXPECT_EQ(surfaceName(" X "), "X");
    EXPECT_EQ(surfaceName("G"), "G");  // too ambiguous to guess: grass or gravel
    EXPECT_EQ(surfaceName(""), "");
    EXPECT_EQ(surfaceName("  "), "");
    // A material only as part of a longer word does not count.
    EXPECT_EQ(surfaceName("CONCAVE"), "CONCAVE");
}
