// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/CourseReportText.h"

#include "tests/report/SamplePlans.h"
#include "base/TextColumns.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The report's lines without their CR LF.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    for (auto end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// Index of the first character at display column `column` of line.
std::string::size_type ByteAtColumn(const std::string& line, std::size_t column)
{
    std::string::size_type byte = 0;
    while (byte < line.size() && base::displayWidth(line.substr(0, byte)) < column)
        ++byte;
    while (byte < line.size() && (static_cast<unsigned char>(line[byte]) & 0xC0) == 0x80)
        ++byte;
    return byte;
}

}  // namespace

TEST(CourseReportGolden, BothRunwayListsAndTheRouteEmpty)
{
    EXPECT_EQ(FormatCourseReport(NoRunwaysNoRoutePlan()), Golden("no_runways_no_route"));
}

TEST(CourseReportGolden, ThreeRunwaysAgainstOneAndALongBeaconName)
{
    EXPECT_EQ(FormatCourseReport(ThreeRunwaysAgainstOnePlan()), Golden("three_runways_against_one"));
}

TEST(CourseReportGolden, NoRunwaysAgainstTwo)
{
    EXPECT_EQ(FormatCourseReport(NoRunwaysAgainstTwoPlan()), Golden("no_runways_against_two"));
}

TEST(CourseReportGolden, AccentedNames)
{
    EXPECT_EQ(FormatCourseReport(AccentedNamesPlan()), Golden("accented_names"));
}

TEST(CourseReportLayout, HeadingsAndUnderlinesAreExact)
{
    const std::vector<std::string> lines = Lines(FormatCourseReport(NoRunwaysNoRoutePlan()));
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[0], std::string(80, '*'));
    EXPECT_EQ(lines[1], "*  Meridane 1.0" + std::string(64, ' ') + "*");
    EXPECT_EQ(lines[2], "*" + std::string(78, ' ') + "*");
    EXPECT_EQ(lines[3], std::string(80, '*'));
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(lines[6], "Departure Airport" + std::string(23, ' ') + "Destination Airport" + std::string(21, ' '));
    EXPECT_EQ(lines[7], std::string(32, '=') + std::string(8, ' ') + std::string(32, '=') + std::string(8, ' '));
    EXPECT_EQ(lines[13], "Runways:" + std::string(32, ' ') + "Runways:" + std::string(32, ' '));
    const std::string runwayHeading = "RW # Length Type      ILS Freq.         ";
    EXPECT_EQ(lines[14], runwayHeading + runwayHeading);
    EXPECT_EQ(lines[15], std::string(31, '=') + std::string(9, ' ') + std::string(32, '=') + std::string(8, ' '));
    EXPECT_EQ(lines[16], "");
    EXPECT_EQ(lines[17], "Navigation Name         Freq  Latitude   Longtitude Alt.  Dist Dept. Dist Dest. ");
    EXPECT_EQ(lines[18], "======================= ===== ========== ========== ===== ========== ========== ");
}

TEST(CourseReportLayout, AirportLabelsLeaveTheValuesAtFixedColumns)
{
    const std::vector<std::string> lines = Lines(FormatCourseReport(NoRunwaysNoRoutePlan()));
    ASSERT_GE(lines.size(), 13u);
    EXPECT_EQ(lines[9].substr(0, 21), "Latitude:  N50* 3.33'");
    EXPECT_EQ(lines[9].substr(40, 11), "Latitude:  ");
    EXPECT_EQ(lines[10].substr(40, 11), "Longitude: ");
    EXPECT_EQ(lines[11].substr(0, 13), "ATIS: 118.025");
    EXPECT_EQ(lines[11].substr(40, 6), "ATIS: ");
    EXPECT_EQ(lines[12].substr(40, 11), "Elevation: ");
}

TEST(CourseReportLayout, EveryLineEndsInCarriageReturnLineFeed)
{
    for (const CoursePlan& plan : {NoRunwaysNoRoutePlan(), ThreeRunwaysAgainstOnePlan(), NoRunwaysAgainstTwoPlan(),
                                   AccentedNamesPlan()}) {
        const std::string text = FormatCourseReport(plan);
        ASSERT_GE(text.size(), 2u);
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
        for (std::string::size_type i = 0; i < text.size(); ++i) {
            if (text[i] == '\n') {
                EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at byte " << i;
            }
            if (text[i] == '\r') {
                EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at byte " << i;
            }
        }
    }
}

TEST(CourseReportLayout, AccentedNamesKeepTheColumnsAligned)
{
    const std::vector<std::string> lines = Lines(FormatCourseReport(AccentedNamesPlan()));
    for (const std::string& line : lines) {
        if (!line.empty()) {
            EXPECT_EQ(base::displayWidth(line), 80u) << line;
        }
    }
    // The right half still starts at column 40 after a name with an accent.
    ASSERT_GE(lines.size(), 24u);
    EXPECT_EQ(lines[8].substr(ByteAtColumn(lines[8], 40)), "S\u00e3o Paulo Guarulhos                     ");
    EXPECT_EQ(lines[9].substr(ByteAtColumn(lines[9], 40), 11), "Latitude:  ");
    // Route cells after an accented beacon name start where they do for plain names.
    EXPECT_EQ(lines[21].substr(ByteAtColumn(lines[21], 24), 6), "110.05");
    EXPECT_EQ(lines[22].substr(ByteAtColumn(lines[22], 24), 6), "114.3 ");
    EXPECT_EQ(lines[23].substr(ByteAtColumn(lines[23], 24), 6), "116.9 ");
}

TEST(CourseReportLayout, ValuesAreWrittenByteForByte)
{
    CoursePlan plan = NoRunwaysNoRoutePlan();
    plan.departure.name = "Caf\xc3\xa9\t\"Le Bourget\"";
    plan.route = {{"  spaced  ", "", "", "", "", "", "x"}};
    const std::vector<std::string> lines = Lines(FormatCourseReport(plan));
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[8], "Caf\xc3\xa9\t\"Le Bourget\"" + std::string(23, ' ') + "Muenchen" + std::string(32, ' '));
    EXPECT_EQ(lines[19], "  spaced  " + std::string(14 + 6 + 11 + 11 + 6 + 11, ' ') + "x" + std::string(10, ' '));
}

TEST(CourseReportLayout, OverlongAirportValuePushesTheDestinationRight)
{
    CoursePlan plan = NoRunwaysNoRoutePlan();
    plan.departure.atis = std::string(36, '9');  // two past its 34 places
    const std::vector<std::string> lines = Lines(FormatCourseReport(plan));
    ASSERT_GE(lines.size(), 12u);
    EXPECT_EQ(lines[11], "ATIS: " + std::string(36, '9') + "ATIS: 123.125" + std::string(27, ' '));
}

TEST(CourseReportLayout, ShortRowsShowBlanksForMissingCells)
{
    CoursePlan plan = NoRunwaysNoRoutePlan();
    plan.departureRunways = {{"09"}};
    plan.route = {{"Alpha", "112.5"}, {}};
    const std::vector<std::string> lines = Lines(FormatCourseReport(plan));
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[16], "09" + std::string(78, ' '));
    EXPECT_EQ(lines[20], "Alpha" + std::string(19, ' ') + "112.5" + std::string(51, ' '));
    EXPECT_EQ(lines[21], std::string(80, ' '));
}
