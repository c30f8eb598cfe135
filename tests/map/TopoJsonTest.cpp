// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/FixtureDb.h"
#include "tests/map/MapTestSupport.h"

#include "map/MapError.h"
#include "map/Outlines.h"
#include "map/TopoJson.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>


namespace {

std::string errorLoading(const std::string& directory)
{
    try {
        map::loadOutlines(directory);
    } catch (const map::MapError& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(TopoJson, DecodesQuantisedArcsAndWalksNegativeIndexesBackwards)
{
    const ScratchDirectory dir;
    const std::string path = dir.path() + "/shapes.json";
    // Two squares sharing the edge along longitude 0 (arc 1), which the second
    // walks backwards.
    std::ofstream(path) << R"({"type":"Topology",
        "transform":{"scale":[0.5,0.25],"translate":[-10,20]},
        "objects":{"shapes":{"type":"GeometryCollection","geometries":[
            {"type":"Polygon","arcs":[[0,1]]},
            {"type":"MultiPolygon","arcs":[[[2,-2]]]},
            {"type":"Point","coordinates":[0,0]}]}},
        "arcs":[[[20,0],[-20,0],[0,40],[20,0]],
                [[20,40],[0,-40]],
                [[20,40],[20,0],[0,-40],[-20,0]]]})";
    const map::Topology topology = map::readTopology(path);
    const auto& shapes = topology.objects.at("shapes");
    ASSERT_EQ(shapes.size(), 2u);

    const auto ringText = [&](const std::vector<int>& ring) {
        std::string text;
        for (const map::LonLat& p : map::ringPoints(topology, ring)) {
            text += "(" + std::to_string(static_cast<int>(p.lon)) + " " + std::to_string(static_cast<int>(p.lat)) + ")";
        }
        return text;
    };
    // x = -10 + 0.5 * sum, y = 20 + 0.25 * sum.
    EXPECT_EQ(ringText(shapes[0][0][0]), "(0 20)(-10 20)(-10 30)(0 30)(0 20)");
    EXPECT_EQ(ringText(shapes[1][0][0]), "(0 30)(10 30)(10 20)(0 20)(0 30)");
}

TEST(TopoJson, OutlinesThatCannotBeReadAreNamed)
{
    const ScratchDirectory dir;
    EXPECT_NE(errorLoading(dir.path()).find(dir.path() + "/land-110m.json"), std::string::npos);

    const std::string whole = ReadWholeFile(std::string(MERIDANE_NATURALEARTH_DIR) + "/land-110m.json");
    const std::string damaged[] = {
        whole.substr(0, whole.size() / 2),                        // cut short
        R"({"type":"Topology","arcs":[[[0,0]]],"objects":{}})",  // an arc of one point
        R"({"type":"Topology","arcs":[[[0,"x"]]],"objects":{}})",
        R"({"type":"Topology","arcs":[],"objects":{"land":{"type":"Polygon","arcs":[[0]]}}})",
        R"({"type":"FeatureCollection","features":[]})",
    };
    for (const std::string& text : damaged) {
        std::ofstream(dir.path() + "/land-110m.json", std::ios::trunc) << text;
        const std::string message = errorLoading(dir.path());
        EXPECT_NE(message.find(dir.path() + "/land-110m.json is damaged"), std::string::npos) << message;
    }
}

// Collections nested far deeper than any call stack reaches; the polygon at
// the bottom is found, and damage down there is still named.
TEST(TopoJson, DeeplyNestedCollectionsDecodeWithoutExhaustingTheStack)
{
    const ScratchDirectory dir;
    const int depth = 300000;
    std::string opening, closing;
    for (int i = 0; i < depth; ++i) {
        opening += R"({"type":"GeometryCollection","geometries":[)";
        closing += "]}";
    }
    const auto topology = [&](const char* innermost) {
        return R"({"type":"Topology","arcs":[[[0,0],[1,0],[1,1],[0,0]]],"objects":{"land":)" + opening + innermost +
               closing + "}}";
    };
    const std::string path = dir.path() + "/deep.json";
    std::ofstream(path) << topology(R"({"type":"Polygon","arcs":[[0]]})");
    const map::Topology decoded = map::readTopology(path);
    ASSERT_EQ(decoded.objects.at("land").size(), 1u);
    EXPECT_EQ(decoded.objects.at("land")[0][0][0], std::vector<int>{0});

    std::ofstream(path, std::ios::trunc) << topology(R"({"type":"Polygon","arcs":[[7]]})");
    try {
        map::readTopology(path);
        ADD_FAILURE() << "a ring with a missing arc was accepted";
    } catch (const map::MapError& e) {
        EXPECT_NE(std::string(e.what()).find(path + " is damaged: a ring refers to arc 7"), std::string::npos)
            << e.what();
    }
}
