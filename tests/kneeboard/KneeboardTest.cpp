// SPDX-License-Identifier: GPL-3.0-or-later
#include "flightplan/MagneticModel.h"
#include "base/NumberText.h"
#include "flightplan/PlanCalculation.h"
#include "flightplan/PlanError.h"
#include "flightplan/formats/PlanTexts.h"
#include "flightplan/formats/Formats.h"
#include "kneeboard/KneeboardPdf.h"
#include "planning/PlanExport.h"
#include "planning/PlanScene.h"

#include "tests/support/CommandOutput.h"
#include "tests/support/FixtureDb.h"

#include "tests/support/TestWaypoints.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

using namespace flightplan;
using kneeboard::KneeboardInputs;
using kneeboard::Paper;

namespace {

const map::Outlines& outlines()
{
    static const map::Outlines loaded = map::loadOutlines(MERIDANE_NATURALEARTH_DIR);
    return loaded;
}

using testsupport::waypoint;

FlightPlan bostonPlan(PlanOptions options)
{
    options.date = CivilDate{2026, 3, 1};
    return computePlan({waypoint("KJFK", "John F. Kennedy International Airport", WaypointKind::Airport, 40.6398, -73.7789,
                              "128.725"),
                        waypoint("MAD", "Madison", WaypointKind::Vor, 41.3137, -72.692, "110.4"),
                        waypoint("PUT", "Putnam", WaypointKind::Vor, 41.9555, -71.8441, "117.4"),
                        waypoint("BOS", "Boston", WaypointKind::Vor, 42.3574, -70.9895, "112.7"),
                        waypoint("KBOS", "Boston Logan International Airport", WaypointKind::Airport, 42.3643, -71.0052)},
                       options, testsupport::testMagneticModel());
}

// 105 kt into a north-westerly, with a fuel burn.
PlanOptions windAndFuel()
{
    PlanOptions options;
    options.trueAirspeedKt = 105;
    options.wind = Wind{300, 22};
    options.fuelBurnPerHour = 8.5;
    return options;
}

// Sixty beacons over south-eastern Australia, from a field with a name
// beyond ASCII to one whose name carries a damaged byte.
FlightPlan longPlan(int beacons = 60)
{
    std::vector<Waypoint> points{waypoint("YSSY", "Sydney Kingsford Smith Ærodrome", WaypointKind::Airport, -33.9461, 151.177)};
    for (int i = 0; i < beacons; ++i) {
        char ident[16], frequency[16];
        std::snprintf(ident, sizeof ident, "V%02d", i);
        std::snprintf(frequency, sizeof frequency, "%.1f", 108.0 + i * 0.1);
        points.push_back(waypoint(ident, ident, WaypointKind::Vor, -34.0 - i * 0.05, 150.8 - i * 0.15 * (i % 2 ? 1 : 0.8),
                               frequency));
    }
    points.push_back(waypoint("YMML", "Melbourne \xff Tullamarine", WaypointKind::Airport, -37.6733, 144.843));
    PlanOptions options;
    options.date = CivilDate{2026, 12, 31};
    options.wind = Wind{0, 15};
    return computePlan(points, options, testsupport::testMagneticModel());
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

// A word as poppler places it, in points from the top left of its page.
struct Word {
    int page = 0;  // from 1
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    std::string text;
};

struct Pages {
    double width = 0.0, height = 0.0;
    std::vector<Word> words;
};

Pages wordBoxes(const std::string& pdf)
{
    std::ofstream("boxes.pdf", std::ios::binary) << pdf;
    const std::string boxes = CommandOutput("pdftotext -bbox boxes.pdf -");
    Pages pages;
    std::smatch match;
    if (std::regex_search(boxes, match, std::regex("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\"")))
        pages.width = std::stod(match[1]), pages.height = std::stod(match[2]);
    const std::regex item("<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                          "yMax=\"([0-9.]+)\">([^<]*)</word>");
    int page = 0;
    for (auto it = std::sregex_iterator(boxes.begin(), boxes.end(), item); it != std::sregex_iterator(); ++it) {
        if ((*it)[1].length() == 0) {
            ++page;
            continue;
        }
        pages.words.push_back(Word{page, std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]),
                                   std::stod((*it)[4]), (*it)[5]});
    }
    return pages;
}

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST(Kneeboard, EveryPaperHoldsEveryLegWithItsFiguresAndTheMap)
{
    ScratchDirectory dir;
    const PlanOptions options = windAndFuel();
    const FlightPlan plan = bostonPlan(options);
    const map::MapScene scene = planning::sceneOfPlan(plan, {});
    // ISO A5 148 x 210 mm and A4 210 x 297 mm; US letter 8.5 x 11 in, half of it 5.5 x 8.5 in.
    const struct {
        Paper paper;
        double width, height;
    } papers[] = {{Paper::A5, 419.53, 595.28}, {Paper::A4, 595.28, 841.89}, {Paper::Letter, 612, 792},
                  {Paper::HalfLetter, 396, 612}};
    for (const auto& paper : papers) {
        const ReadBack pdf = readBack(kneeboard::renderKneeboard(
            plan, KneeboardInputs{paper.paper, &outlines(), scene,
                                  "Navigation data: OurAirports of 2026-08-22, ILS from X-Plane 2013.10"}));
        EXPECT_NEAR(pdf.width, paper.width, 0.01) << kneeboard::paperName(paper.paper);
        EXPECT_NEAR(pdf.height, paper.height, 0.01) << kneeboard::paperName(paper.paper);
        ASSERT_EQ(pdf.pages, 2) << kneeboard::paperName(paper.paper);
        const std::string& legs = pdf.text[0];
        for (const char* part : {"KJFK", "MAD", "PUT", "BOS", "KBOS", "110.4", "117.4", "112.7", "ETA", "ATA",
                                        "300/22", "105 kt", "8.5 per hour", "2026-03-01",
                                        "KJFK DCT MAD DCT PUT DCT BOS KBOS",
                                        "Navigation data: OurAirports of 2026-08-22, ILS from X-Plane 2013.10"})
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
        kneeboard::renderKneeboard(plan, KneeboardInputs{Paper::A5, &outlines(), planning::sceneOfPlan(plan, {}), ""}));
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
        return KneeboardInputs{Paper::Letter, nullptr, planning::sceneOfPlan(plan, {}), ""};
    };
    planning::exportPlanFile(plan, "navlog.PDF", inputs);
    planning::exportPlanFile(plan, "plan.fms", inputs);
    EXPECT_EQ(asked, 1);  // the map is prepared for the kneeboard only
    std::ifstream in("navlog.PDF", std::ios::binary);
    std::string head(5, '\0');
    in.read(&head[0], 5);
    EXPECT_EQ(head, "%PDF-");
    try {
        planning::exportPlanFile(plan, "missing/navlog.pdf", inputs);
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
    Waypoint su = waypoint("SU", "Suva", WaypointKind::Ndb, -18.05, 178.56, "354.0");
    su.ndbClass = coverage::NdbClass::H;
    PlanOptions options;
    options.date = CivilDate{2026, 3, 1};
    options.routeKind = RouteKind::Best;
    options.navaids = coverage::Navaids::VorNdb;
    const FlightPlan plan = computePlan({waypoint("NFFN", "Nadi", WaypointKind::Airport, -17.7554, 177.443),
                                         waypoint("NAN", "Nadi", WaypointKind::Vor, -17.7531, 177.4457, "112.5"), su,
                                         waypoint("NFNA", "Nausori", WaypointKind::Airport, -18.0433, 178.5592)},
                                        options, testsupport::testMagneticModel());
    const map::MapScene scene = planning::sceneOfPlan(plan, {});
    for (Paper paper : {Paper::A5, Paper::HalfLetter}) {
        const ReadBack pdf = readBack(kneeboard::renderKneeboard(plan, KneeboardInputs{paper, &outlines(), scene, ""}));
        ASSERT_EQ(pdf.pages, 2);
        const std::string& legs = pdf.text[0];
        EXPECT_TRUE(contains(legs, "ADF 354")) << legs;
        EXPECT_TRUE(contains(legs, "QDM " + degreesText(*plan.legs[1].qdmTo))) << legs;
        EXPECT_TRUE(contains(legs, "QDR " + degreesText(*plan.legs[2].qdrFrom))) << legs;
        EXPECT_TRUE(contains(legs, "R-" + degreesText(*plan.legs[1].radialFrom) + " out")) << legs;
        EXPECT_TRUE(contains(pdf.text[1], "ADF 354")) << pdf.text[1];
        // NAN (40 nm) and SU (50 nm) change over off halfway; the column
        // says which receivers it is about.
        EXPECT_TRUE(contains(legs, "VOR/NDB")) << legs;
    }
}

// Under simulator ranges a beacon the simulator's data lacks is named on
// the navlog, so that the pilot does not tune a silent one. PUT has no
// simulator range here; MAD and BOS have.
TEST(Kneeboard, ABeaconTheSimulatorLacksIsNamedOnTheNavlog)
{
    ScratchDirectory dir;
    PlanOptions options;
    options.rangeModel = coverage::RangeModel::Simulator;
    FlightPlan plan = bostonPlan(options);
    plan.waypoints[1].simulatorRangeNm = plan.waypoints[3].simulatorRangeNm = 40.0;
    plan = computePlan(plan.waypoints, options, testsupport::testMagneticModel());
    const ReadBack pdf = readBack(
        kneeboard::renderKneeboard(plan, KneeboardInputs{Paper::A5, nullptr, planning::sceneOfPlan(plan, {}), ""}));
    ASSERT_GE(pdf.pages, 1);
    std::string text;
    for (const std::string& page : pdf.text)
        text += page;
    // The line may wrap; its words stay in order.
    EXPECT_TRUE(std::regex_search(text, std::regex("PUT: not in the simulator.s data,\\s+so not receivable")))
        << text;
    EXPECT_FALSE(contains(text, "MAD: not in"));
}

namespace {

Waypoint beacon(const std::string& ident, double latitude, double longitude, const char* frequency, char serviceClass)
{
    Waypoint p = waypoint(ident, ident, WaypointKind::Vor, latitude, longitude, frequency);
    p.serviceClass = serviceClass;
    return p;
}

// Up the west coast on beacons of every class, so that legs run out of
// reception and change beacons away from halfway; the destination carries
// the longest ident an airport has.
FlightPlan westCoastPlan()
{
    PlanOptions options;
    options.date = CivilDate{2026, 6, 1};
    options.wind = Wind{270, 200};
    options.fuelBurnPerHour = 12.5;
    options.trueAirspeedKt = 450;
    return computePlan({waypoint("KSFO", "San Francisco International Airport", WaypointKind::Airport, 37.6189, -122.375),
                        beacon("SFO", 37.6193, -122.374, "115.8", 'H'), beacon("RBL", 40.0990, -122.2366, "115.7", 'L'),
                        beacon("RDD", 40.5038, -122.2919, "108.4", 'T'), beacon("EUG", 44.1208, -123.2227, "112.9", 'H'),
                        beacon("BTG", 45.7476, -122.5925, "116.6", 'H'),
                        waypoint("US-0042", "Seattle Test Field", WaypointKind::Airport, 47.449, -122.309)},
                       options, testsupport::testMagneticModel());
}

}  // namespace

TEST(Kneeboard, EachFrequencyStandsBesideItsOwnStationAndNoIdentIsCut)
{
    ScratchDirectory dir;
    const FlightPlan plan = westCoastPlan();
    std::map<std::string, std::string> frequencies;
    for (const Waypoint& w : plan.waypoints)
        if (w.kind == WaypointKind::Vor)
            frequencies[w.ident] = *w.frequency;
    const map::MapScene scene = planning::sceneOfPlan(plan, {});
    for (Paper paper : {Paper::A5, Paper::A4, Paper::Letter, Paper::HalfLetter}) {
        SCOPED_TRACE(kneeboard::paperName(paper));
        const ReadBack pdf = readBack(kneeboard::renderKneeboard(plan, KneeboardInputs{paper, &outlines(), scene, ""}));
        const std::string& legs = pdf.text[0];
        // Every beacon's ident on a line of the table, with its own
        // frequency next to it; before, the frequency of the leg's end
        // stood beside its start.
        int pairs = 0;
        const std::regex identAndFrequency("(^|\\s)([A-Z]{3}) +(1[01][0-9]\\.[0-9]+)");
        for (auto it = std::sregex_iterator(legs.begin(), legs.end(), identAndFrequency); it != std::sregex_iterator();
             ++it, ++pairs) {
            ASSERT_TRUE(frequencies.count((*it)[2])) << (*it)[0] << "\n" << legs;
            EXPECT_EQ((*it)[3].str(), frequencies[(*it)[2]]) << "beside " << (*it)[2] << "\n" << legs;
        }
        // Each beacon ends one leg and starts the next.
        EXPECT_EQ(pairs, 2 * static_cast<int>(frequencies.size())) << legs;
        // Idents whole, however narrow the paper.
        for (const Waypoint& w : plan.waypoints)
            EXPECT_TRUE(std::regex_search(legs, std::regex("(^|\\s)" + w.ident + "(\\s|$)"))) << w.ident << "\n" << legs;
        EXPECT_FALSE(std::regex_search(legs, std::regex("(^|\\s)[A-Z0-9-]{1,6}\u2026"))) << legs;
    }
}

TEST(Kneeboard, TheNavlogMarksStretchesOutOfReceptionAndChangeoverPoints)
{
    ScratchDirectory dir;
    const FlightPlan plan = westCoastPlan();
    const ReadBack pdf = readBack(
        kneeboard::renderKneeboard(plan, KneeboardInputs{Paper::HalfLetter, &outlines(), planning::sceneOfPlan(plan, {}), ""}));
    const std::string& legs = pdf.text[0];
    EXPECT_TRUE(contains(legs, "VOR")) << legs;
    int gaps = 0, changeovers = 0;
    for (const Leg& leg : plan.legs) {
        const std::string to = plan.waypoints[leg.to].ident;
        if (std::lround(leg.uncoveredNm) > 0) {
            ++gaps;
            // On the leg's own row: its end's ident and the gap on one line.
            EXPECT_TRUE(std::regex_search(legs, std::regex("(^|\\s)" + plan.waypoints[leg.from].ident + "\\s.*gap " +
                                                           base::formatFixed(leg.uncoveredNm, 0) + "(\\s|$)")))
                << to << "\n" << legs;
        }
        if (leg.changeoverNm && std::fabs(*leg.changeoverNm - leg.distanceNm / 2.0) >= 0.5) {
            ++changeovers;
            EXPECT_TRUE(std::regex_search(legs, std::regex("(^|\\s)" + to + "\\s.*COP " +
                                                           base::formatFixed(*leg.changeoverNm, 0) + "(\\s|$)")))
                << to << "\n" << legs;
        }
    }
    // The plan is what the test says it is: gaps and changeovers off halfway.
    EXPECT_GE(gaps, 2);
    EXPECT_GE(changeovers, 2);
    EXPECT_TRUE(contains(legs, "gap " + base::formatFixed(plan.uncoveredNm, 0))) << legs;

    // A plan covered throughout, changing over halfway, keeps its columns.
    PlanOptions high;
    high.cruiseFt = 18500;
    high.date = CivilDate{2026, 3, 1};
    const FlightPlan coveredPlan =
        computePlan({waypoint("KJFK", "Kennedy", WaypointKind::Airport, 40.6398, -73.7789),
                     beacon("JFK", 40.6329, -73.7714, "115.9", 'H'), beacon("BOS", 42.3574, -70.9895, "112.7", 'H'),
                     waypoint("KBOS", "Logan", WaypointKind::Airport, 42.3643, -71.0052)},
                    high, testsupport::testMagneticModel());
    ASSERT_EQ(coveredPlan.uncoveredNm, 0.0);
    const ReadBack covered = readBack(kneeboard::renderKneeboard(coveredPlan, KneeboardInputs{}));
    EXPECT_FALSE(contains(covered.text[0], "gap/COP")) << covered.text[0];
}

TEST(Kneeboard, AHundredThousandCharacterNameStillMakesANavlog)
{
    ScratchDirectory dir;
    PlanOptions options;
    options.date = CivilDate{2026, 3, 1};
    std::string name;
    while (name.size() < 200000)
        name += "Шереметьево ";
    const FlightPlan plan =
        computePlan({waypoint("UUEE", name, WaypointKind::Airport, 55.9726, 37.4146),
                     waypoint("UUWW", name + "Внуково", WaypointKind::Airport, 55.5915, 37.2615)},
                    options, testsupport::testMagneticModel());
    const ReadBack pdf = readBack(kneeboard::renderKneeboard(plan, KneeboardInputs{}));
    EXPECT_EQ(pdf.pages, 2);
    EXPECT_TRUE(contains(pdf.text[0], "UUEE") && contains(pdf.text[0], "Шереметьево")) << pdf.text[0];
}

// Every word of the navlog keeps to the page inside its 20 pt margins (the
// title's capitals may reach a hair above), on every paper and whatever the
// number of legs: a page that took one row too many would write its last
// row over the bottom margin. The map page clips its labels to its frame.
TEST(Kneeboard, EveryWordKeepsInsideTheMargins)
{
    ScratchDirectory dir;
    const double margin = 20.0;
    for (const int beacons : {3, 9, 14, 18, 23, 31, 44, 60}) {
        const FlightPlan plan = longPlan(beacons);
        for (const Paper paper : {Paper::A5, Paper::A4, Paper::Letter, Paper::HalfLetter}) {
            const Pages pages = wordBoxes(
                kneeboard::renderKneeboard(plan, KneeboardInputs{paper, nullptr, planning::sceneOfPlan(plan, {}), ""}));
            ASSERT_GT(pages.height, 0.0);
            ASSERT_FALSE(pages.words.empty());
            const int mapPage = pages.words.back().page;
            for (const Word& w : pages.words) {
                if (w.page == mapPage)
                    continue;
                EXPECT_GE(w.xMin, margin - 0.01) << w.text << " on page " << w.page;
                EXPECT_LE(w.xMax, pages.width - margin + 0.01) << w.text << " on page " << w.page;
                EXPECT_GE(w.yMin, margin - 0.5) << w.text << " on page " << w.page;
                EXPECT_LE(w.yMax, pages.height - margin + 0.01)
                    << w.text << " on page " << w.page << " of " << kneeboard::paperName(paper) << ", " << beacons
                    << " beacons";
            }
        }
    }
}

// Each total stands under its own column's heading: the words of the
// totals row are found by the right edge of the heading above them, as a
// reader finds them.
TEST(Kneeboard, EachTotalStandsUnderItsHeading)
{
    ScratchDirectory dir;
    const PlanOptions options = windAndFuel();
    for (const FlightPlan& plan : {bostonPlan(options), longPlan(20)}) {
        const Pages pages = wordBoxes(
            kneeboard::renderKneeboard(plan, KneeboardInputs{Paper::A5, nullptr, planning::sceneOfPlan(plan, {}), ""}));
        const auto total = std::find_if(pages.words.begin(), pages.words.end(),
                                        [](const Word& w) { return w.text == "Total"; });
        ASSERT_NE(total, pages.words.end());
        // The headings of the totals' page: the first line of words that
        // holds "MC".
        const auto mc = std::find_if(pages.words.begin(), pages.words.end(),
                                     [&](const Word& w) { return w.page == total->page && w.text == "MC"; });
        ASSERT_NE(mc, pages.words.end());
        std::map<std::string, std::string> underHeading;  // the totals' top line by the heading above
        std::map<std::string, double> headingRight;
        for (const Word& w : pages.words) {
            if (w.page == total->page && std::fabs(w.yMin - mc->yMin) < 1.0)
                headingRight[w.text] = w.xMax;
        }
        for (const auto& [heading, right] : headingRight) {
            for (const Word& w : pages.words) {
                if (w.page == total->page && std::fabs(w.yMin - total->yMin) < 1.0 && std::fabs(w.xMax - right) < 0.5)
                    underHeading[heading] = w.text;
            }
        }
        EXPECT_EQ(underHeading["Dist"], base::formatFixed(plan.totalNm, 1));
        EXPECT_EQ(underHeading["GS"], base::formatFixed(plan.groundSpeedKt, 0));
        EXPECT_EQ(underHeading["ETE"], durationText(plan.totalMinutes));
        EXPECT_EQ(underHeading["Fuel"], plan.fuelTotal ? base::formatFixed(*plan.fuelTotal, 1) : "");
        for (const char* empty : {"MC", "MH", "Freq"})
            EXPECT_EQ(underHeading[empty], "") << empty;
    }
}
