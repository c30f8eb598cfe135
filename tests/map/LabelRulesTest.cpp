// SPDX-License-Identifier: GPL-3.0-or-later
// The label placer's rules on their own, its text measured by a stand-in of
// 8 pixels a character (lines 10 px high stand 13 px apart): which label
// wins a spot, which gives way, which is dropped, and what stands wherever
// it is put.

#include "map/LabelPlacer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace map;

namespace {

using Importance = LabelPlacer::Importance;

LabelLine line(const char* text)
{
    LabelLine l;
    l.text = text;
    l.size = 10.0;
    return l;
}

LabelPlacer placer(int width, int height)
{
    return LabelPlacer([](const LabelLine& l) { return 8.0 * static_cast<double>(l.text.size()); }, width, height);
}

std::vector<std::string> textsOf(const std::vector<MapText>& placed)
{
    std::vector<std::string> texts;
    for (const MapText& t : placed)
        texts.push_back(t.text);
    std::sort(texts.begin(), texts.end());
    return texts;
}

using Texts = std::vector<std::string>;

}  // namespace

// A picture 60 by 30 with room for one label of three characters, right of
// a point near its left edge: the more important label takes it, whatever
// order they came in.
TEST(LabelRules, TheMoreImportantLabelTakesTheOnlySpot)
{
    const PixelPoint anchor{10, 15};
    const struct {
        Importance a, b;
        const char* winner;
    } cases[] = {
        {Importance::RouteBeacon, Importance::OtherBeacon, "AAA"},
        {Importance::OtherBeacon, Importance::RouteBeacon, "BBB"},
        {Importance::AirportIdent, Importance::OtherBeacon, "AAA"},
        {Importance::OtherBeacon, Importance::AirportIdent, "BBB"},
        // The route's own airports are named before its beacons.
        {Importance::RouteBeacon, Importance::AirportIdent, "BBB"},
        {Importance::AirportIdent, Importance::RouteBeacon, "AAA"},
    };
    for (const auto& c : cases) {
        LabelPlacer labels = placer(60, 30);
        const auto add = [&](Importance importance, const char* text) {
            if (importance == Importance::RouteBeacon)
                labels.addBeacon(anchor, 4.0, line(text), line(""));
            else if (importance == Importance::AirportIdent)
                labels.addAirport(anchor, 4.0, line(text), line(""));
            else
                labels.addBeside(importance, anchor, 4.0, {line(text)});
        };
        add(c.a, "AAA");
        add(c.b, "BBB");
        EXPECT_EQ(textsOf(labels.place()), Texts{c.winner}) << c.winner;
    }
}

// Beacon A's ident stands right of it, its frequency over or under it;
// beacon B, further right against a wall, has room for its ident only on
// its left, and none for its frequency over or under that ident, where it
// would read as another beacon's: B's frequency is dropped, never put
// beside A. Without the wall every line stands.
TEST(LabelRules, AFrequencyGivesWayToALaterBeaconsIdent)
{
    for (const bool wall : {true, false}) {
        LabelPlacer labels = placer(200, 40);
        if (wall)
            labels.addObstacle({96, 0, 200, 40});
        labels.addBeacon({20, 20}, 4.0, line("AAA"), line("111.1"));
        labels.addBeacon({96, 20}, 4.0, line("BBB"), line("222.2"));
        const std::vector<MapText> placed = labels.place();
        EXPECT_EQ(textsOf(placed), wall ? (Texts{"111.1", "AAA", "BBB"}) : (Texts{"111.1", "222.2", "AAA", "BBB"}))
            << wall;
        // Every line on the picture and clear of the others.
        for (const MapText& t : placed) {
            EXPECT_GE(t.x, 2.0) << t.text;
            EXPECT_LE(t.x + 8.0 * t.text.size(), 198.0) << t.text;
        }
    }
}

// Where obstacles cover the whole picture, only the furniture stands: a
// fixed label of any other kind and every label beside a point is dropped,
// and an airport's name does not stand without its ident.
TEST(LabelRules, OnlyFurnitureStandsWhereNothingIsFree)
{
    for (const bool covered : {true, false}) {
        LabelPlacer labels = placer(300, 200);
        if (covered)
            labels.addObstacle({0, 0, 300, 200});
        labels.addAt(Importance::Furniture, {10, 170}, {line("50 nm")});
        labels.addAt(Importance::Graticule, {10, 10}, {line("40N")});
        labels.addBeacon({150, 100}, 4.0, line("SAX"), line("115.7"));
        labels.addAirport({60, 60}, 4.0, line("KJFK"), line("Kennedy"));
        labels.addBeside(Importance::OtherBeacon, {240, 60}, 4.0, {line("CCC")});
        const Texts all{"115.7", "40N", "50 nm", "CCC", "KJFK", "Kennedy", "SAX"};
        EXPECT_EQ(textsOf(labels.place()), covered ? Texts{"50 nm"} : all) << covered;
    }
}

// A fixed label other than furniture is dropped where a label placed
// before it stands; furniture stands there all the same.
TEST(LabelRules, FixedLabelsGiveWayUnlessFurniture)
{
    for (const Importance importance : {Importance::Graticule, Importance::Furniture}) {
        LabelPlacer labels = placer(300, 200);
        labels.addBeacon({100, 100}, 4.0, line("SAX"), line(""));
        // Right of the beacon, where its ident stands: x 104 to 128, y 93.5 to 106.5.
        labels.addAt(importance, {110, 95}, {line("MARK")});
        const Texts expected =
            importance == Importance::Furniture ? Texts{"MARK", "SAX"} : Texts{"SAX"};
        EXPECT_EQ(textsOf(labels.place()), expected);
    }
}

// Faint symbols are covered only where no spot nearby is free of them: the
// label moves off the spot right of its point when one lies there.
TEST(LabelRules, ALabelAvoidsFaintSymbolsWhereItCan)
{
    for (const bool faint : {false, true}) {
        LabelPlacer labels = placer(300, 200);
        if (faint)
            labels.addMinorSymbol({110, 95, 116, 101});
        labels.addBeside(Importance::OtherBeacon, {100, 100}, 4.0, {line("SAX")});
        const std::vector<MapText> placed = labels.place();
        ASSERT_EQ(placed.size(), 1u);
        // Without the symbol the label starts 4 px right of its point.
        EXPECT_EQ(placed[0].x == 104.0, !faint) << placed[0].x;
    }
}
