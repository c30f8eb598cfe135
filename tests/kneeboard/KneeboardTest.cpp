// SPDX-License-Identifier: GPL-3.0-or-later
#include "flightplan/MagneticModel.h"
#include "base/NumberText.h"
#include "flightplan/PlanCalculation.h"
#include "flightplan/PlanError.h"
#include "flightplan/formats/FormatWriters.h"
#include "flightplan/formats/Formats.h"
#include "kneeboard/KneeboardPdf.h"
#include "kneeboard/PlanExport.h"
#include "map/PlanScene.h"

#include "CommandOutput.h"
#include "FixtureDb.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>

using namespace flightplan;
using kneeboard::KneeboardInputs;
using kneeboard::Paper;

namespace {

const MagneticModel& wmm()
{
    static const MagneticModel model = MagneticModel::load(MERIDANE_WMM_TEST_FILE);
    return model;
}

const routemap::Outlines& outlines()
{
    static const routemap::Outlines loaded = routemap::loadOutlines(MERIDANE_NATURALEARTH_DIR);
    return loaded;
}

Waypoint point(const std::string& ident, const std::string& name, WaypointKind kind, double latitude,
               double longitude, const char* frequency = nullptr)
{
    Waypoint p;
    p.ident = ident;
    p.name = name;
    p.kind = kind;
    p.latitude = latitude;
    p.longitude = longitude;
    if (frequency)
        p.frequency = frequency;
    return p;
}

FlightPlan bostonPlan(PlanOptions options)
{
    options.date = CivilDate{2026, 3, 1};
    return computePlan({point("KJFK", "John F. Kennedy International Airport", WaypointKind::Airport, 40.6398, -73.7789,
                              "128.725"),
                        point("MAD", "Madison", WaypointKind::Vor, 41.3137, -72.692, "110.4"),
                        point("PUT", "Putnam", WaypointKind::Vor, 41.9555, -71.8441, "117.4"),
                        point("BOS", "Boston", WaypointKind::Vor, 42.3574, -70.9895, "112.7"),
                        point("KBOS", "Boston Logan International Airport", WaypointKind::Airport, 42.3643, -71.0052)},
                       options, wmm());
}

// Sixty beacons over south-eastern Australia, from a field with a name
// beyond ASCII to one whose name carries a damaged byte.
FlightPlan longPlan()
{
    std::vector<Waypoint> points{point("YSSY", "Sydney Kingsford Smith Ærodrome", WaypointKind::Airport, -33.9461, 151.177)};
    for (int i = 0; i < 60; ++i) {
        char ident[8], frequency[8];
        std::snprintf(ident, sizeof ident, "V%02d", i);
        std::snprintf(frequency, sizeof frequency, "%.1f", 108.0 + i * 0.1);
        points.push_back(point(ident, ident, WaypointKind::Vor, -34.0 - i * 0.05, 150.8 - i * 0.15 * (i % 2 ? 1 : 0.8),
                               frequency));
    }
    points.push_back(point("YMML", "Melbourne \xff Tullamarine", WaypointKind::Airport, -37.6733, 144.843));
    PlanOptions options;
    options.date = CivilDate{2026, 12, 31};
    options.wind = Wind{0, 15};
    return computePlan(points, options, wmm());
}

// What poppler reads of a PDF: its page count and size, and each page's text.
struct ReadBack {
    int pages = 0;
    double width = 0.0, height = 0.0;
    std::vector<std::string> text;  // per page
    std::vector<double> wordHeights;
};

ReadBack readBack(const std::string& pdf)
{
    std::ofstream("navlog.pdf", std::ios::binary) << pdf;
    ReadBack result;
    const std::string info = CommandOutput("pdfinfo navlog.pdf");
    std::smatch match;
    if (std::regex_search(info, match, std::regex("Pages: +([0-9]+)")))
        result.pages = std::stoi(match[1]);
    if (std::regex_search(info, match, std::regex("Page size: +([0-9.]+) x ([0-9.]+) pts")))
        result.width = std::stod(match[1]), result.height = std::stod(match[2]);
    for (int page = 1; page <= result.pages; ++page) {
        const std::string n = std::to_string(page);
        result.text.push_back(CommandOutput("pdftotext -f " + n + " -l " + n + " -layout navlog.pdf -"));
    }
    const std::string boxes = CommandOutput("pdftotext -bbox navlog.pdf -");
    const std::regex word("yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\"");
    for (auto it = std::sregex_iterator(boxes.begin(), boxes.end(), word); it != std::sregex_iterator(); ++it)
        result.wordHeights.push_back(std::stod((*it)[2]) - std::stod((*it)[1]));
    return result;
}

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST(Kneeboard, EveryPaperHoldsEveryLegWithItsFiguresAndTheMap)
{
    ScratchDirectory dir;
    PlanOptions options;
    options.trueAirspeedKt = 105;
    options.wind = Wind{300, 22};
    options.fuelBurnPerHour = 8.5;
    const FlightPlan plan = bostonPlan(options);
    const routemap::MapScene scene = routemap::sceneOf(plan.waypoints, {});
    // ISO A5 148 x 210 mm and A4 210 x 297 mm; US letter 8.5 x 11 in, half of it 5.5 x 8.5 in.
    const struct {
        Paper paper;
        double width, height;
    } papers[] = {{Paper::A5, 419.53, 595.28}, {Paper::A4, 595.28, 841.89}, {Paper::Letter, 612, 792},
                  {Paper::HalfLetter, 396, 612}};
    for (const auto& paper : papers) {
        const ReadBack pdf = readBack(kneeboard::renderKneeboard(plan, KneeboardInputs{paper.paper, &outlines(), scene}));
        EXPECT_NEAR(pdf.width, paper.width, 0.01) << kneeboard::paperName(paper.paper);
        EXPECT_NEAR(pdf.height, paper.height, 0.01) << kneeboard::paperName(paper.paper);
        ASSERT_EQ(pdf.pages, 2) << kneeboard::paperName(paper.paper);
        const std::string& legs = pdf.text[0];
        for (const char* part : {"KJFK", "MAD", "PUT", "BOS", "KBOS", "110.4", "117.4", "112.7", "ETA", "ATA",
                                        "300/22", "105 kt", "8.5 per hour", "2026-03-01",
                                        "KJFK DCT MAD DCT PUT DCT BOS KBOS"})
            EXPECT_TRUE(contains(legs, part)) << part << " on " << kneeboard::paperName(paper.paper) << "\n" << legs;
        for (const Leg& l : plan.legs) {
            // Course and heading side by side, then the distance.
            EXPECT_TRUE(std::regex_search(legs, std::regex(degreesText(l.courseMagnetic.value()) + " +" +
                                                           degreesText(l.headingMagnetic.value()))))
                << degreesText(l.headingMagnetic.value()) << "\n" << legs;
            EXPECT_TRUE(contains(legs, base::formatFixed(*l.fuel, 1))) << legs;
        }
        EXPECT_TRUE(contains(legs, base::formatFixed(*plan.fuelWithReserve, 1))) << legs;
        // The map page labels the route's beacons as the map does.
        EXPECT_TRUE(contains(pdf.text[1], "PUT") && contains(pdf.text[1], "117.4")) << pdf.text[1];
    }
}

TEST(Kneeboard, ALongRouteContinuesUnderItsHeaderAndEveryPageNamesTheRoute)
{
    ScratchDirectory dir;
    const FlightPlan plan = longPlan();
    const ReadBack pdf = readBack(
        kneeboard::renderKneeboard(plan, KneeboardInputs{Paper::A5, &outlines(), routemap::sceneOf(plan.waypoints, {})}));
    ASSERT_GE(pdf.pages, 4);
    std::string all;
    for (int page = 1; page <= pdf.pages; ++page) {
        const std::string& text = pdf.text[page - 1];
        EXPECT_TRUE(contains(text, "YSSY → YMML")) << page << "\n" << text;
        EXPECT_TRUE(contains(text, "Page " + std::to_string(page) + " of " + std::to_string(pdf.pages))) << text;
        if (page < pdf.pages) {
            EXPECT_TRUE(contains(text, "ETA") && contains(text, "MH")) << page << "\n" << text;
        }
        all += text;
    }
    for (const Waypoint& w : plan.waypoints)
        EXPECT_TRUE(contains(all, w.ident + " ") || contains(all, w.ident + "\n")) << w.ident;
    EXPECT_TRUE(contains(pdf.text[0], "Ærodrome")) << pdf.text[0];
    EXPECT_TRUE(contains(all, "Melbourne")) << all;
    EXPECT_TRUE(contains(pdf.text[pdf.pages - 2], "Route YSSY DCT V00")) << pdf.text[pdf.pages - 2];
    // The first page gives the date and the wind, the later ones only the legs.
    EXPECT_TRUE(contains(pdf.text[0], "2026-12-31") && contains(pdf.text[0], "360/15"));
    EXPECT_FALSE(contains(pdf.text[1], "2026-12-31"));
    // No word on any page set below 8 pt (a line box of DejaVu Sans is 1.16
    // times the size).
    ASSERT_FALSE(pdf.wordHeights.empty());
    EXPECT_GE(*std::min_element(pdf.wordHeights.begin(), pdf.wordHeights.end()), 8.0 * 1.1);
}

TEST(Kneeboard, ExportWritesThePdfByItsExtensionAndNamesAFileItCannotWrite)
{
    ScratchDirectory dir;
    const FlightPlan plan = bostonPlan(PlanOptions());
    int asked = 0;
    auto inputs = [&] {
        ++asked;
        return KneeboardInputs{Paper::Letter, nullptr, routemap::sceneOf(plan.waypoints, {})};
    };
    kneeboard::exportPlanFile(plan, "navlog.PDF", inputs);
    kneeboard::exportPlanFile(plan, "plan.fms", inputs);
    EXPECT_EQ(asked, 1);  // the map is prepared for the kneeboard only
    std::ifstream in("navlog.PDF", std::ios::binary);
    std::string head(5, '\0');
    in.read(&head[0], 5);
    EXPECT_EQ(head, "%PDF-");
    try {
        kneeboard::exportPlanFile(plan, "missing/navlog.pdf", inputs);
        ADD_FAILURE() << "written into a missing folder";
    } catch (const PlanError& e) {
        EXPECT_TRUE(contains(e.what(), "missing/navlog.pdf")) << e.what();
    }
    // The layer below lists the format but cannot draw it.
    EXPECT_THROW(exportPlan(plan, "navlog.pdf"), PlanError);
}

// An NDB leg on paper as the pilot sets the ADF: its kHz, and the bearing to
// hold instead of a radial; on the map the NDB's tuning as the legs give it.
TEST(Kneeboard, NdbLegsShowTheAdfAndTheBearingToHold)
{
    ScratchDirectory dir;
    Waypoint su = point("SU", "Suva", WaypointKind::Ndb, -18.05, 178.56, "354.0");
    su.ndbClass = coverage::NdbClass::H;
    PlanOptions options;
    options.date = CivilDate{2026, 3, 1};
    const FlightPlan plan = computePlan({point("NFFN", "Nadi", WaypointKind::Airport, -17.7554, 177.443),
                                         point("NAN", "Nadi", WaypointKind::Vor, -17.7531, 177.4457, "112.5"), su,
                                         point("NFNA", "Nausori", WaypointKind::Airport, -18.0433, 178.5592)},
                                        options, wmm());
    const routemap::MapScene scene = routemap::sceneOf(plan.waypoints, {});
    for (Paper paper : {Paper::A5, Paper::HalfLetter}) {
        const ReadBack pdf = readBack(kneeboard::renderKneeboard(plan, KneeboardInputs{paper, &outlines(), scene}));
        ASSERT_EQ(pdf.pages, 2);
        const std::string& legs = pdf.text[0];
        EXPECT_TRUE(contains(legs, "ADF 354")) << legs;
        EXPECT_TRUE(contains(legs, "QDM " + degreesText(*plan.legs[1].qdmTo))) << legs;
        EXPECT_TRUE(contains(legs, "QDR " + degreesText(*plan.legs[2].qdrFrom))) << legs;
        EXPECT_TRUE(contains(legs, "R-" + degreesText(*plan.legs[1].radialFrom) + " out")) << legs;
        EXPECT_TRUE(contains(pdf.text[1], "ADF 354")) << pdf.text[1];
    }
}
