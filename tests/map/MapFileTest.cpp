// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/FixtureDb.h"
#include "tests/map/MapTestSupport.h"
#include "tests/map/SampleScenes.h"

#include "map/MapError.h"
#include "map/MapFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

using Names = std::vector<std::string>;

TEST(MapFile, SvgIsXmlWithTheLabelsAsText)
{
    const ScratchDirectory dir;
    map::MapScene scene = maptest::londonToParis();
    // Markup characters and a damaged byte, which reads as U+FFFD here as in
    // every other output.
    scene.route.back().name = "A&B <\xC9tampes>";
    const std::string path = dir.path() + "/route.svg";
    map::writeMapFile(path, maptest::testOutlines(), scene, 1200, 900);

    const std::string svg = ReadWholeFile(path);
    for (const char* text : {">EGLL</text>", ">DET</text>", ">117.30</text>", ">ABB</text>", ">LFPG</text>",
                             ">A&amp;B &lt;\xEF\xBF\xBDtampes&gt;</text>", " NM</text>"}) {
        EXPECT_NE(svg.find(text), std::string::npos) << text;
    }
    EXPECT_EQ(DirectoryEntries(dir.path()), Names{"route.svg"});
    if (std::string(MERIDANE_XMLLINT).empty()) {
        GTEST_SKIP() << "xmllint is not installed (Debian: libxml2-utils)";
    }
    EXPECT_EQ(std::system((std::string(MERIDANE_XMLLINT) + " --noout " + path).c_str()), 0);
}

TEST(MapFile, PngByItsExtensionInAnyCase)
{
    const ScratchDirectory dir;
    const std::string path = dir.path() + "/route.PNG";
    map::writeMapFile(path, maptest::testOutlines(), maptest::newYorkToLosAngeles(), 640, 480);
    cairo_surface_t* image = cairo_image_surface_create_from_png(path.c_str());
    ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(image), 640);
    EXPECT_EQ(cairo_image_surface_get_height(image), 480);
    cairo_surface_destroy(image);
    EXPECT_EQ(DirectoryEntries(dir.path()), Names{"route.PNG"});
}

TEST(MapFile, FailuresNameTheFileAndLeaveNothing)
{
    const ScratchDirectory dir;
    // An earlier file stays as it was when the new one cannot be made.
    const std::string earlier = dir.path() + "/route.gif";
    std::ofstream(earlier) << "earlier";
    for (const std::string& path :
         {earlier, dir.path() + "/route", dir.path() + "/missing/route.svg", dir.path() + "/route.svg/"}) {
        std::string message;
        try {
            map::writeMapFile(path, maptest::testOutlines(), maptest::londonToParis(), 1200, 900);
        } catch (const map::MapError& e) {
            message = e.what();
        }
        EXPECT_NE(message.find(path), std::string::npos) << "'" << message << "' for " << path;
    }
    EXPECT_EQ(DirectoryEntries(dir.path()), Names{"route.gif"});
    EXPECT_EQ(ReadWholeFile(earlier), "earlier");
}
