// A plan in the southern and eastern hemispheres, ending at an airport whose
// generated ident is longer than most formats take, checked against golden
// files and, where one exists, a reader that is not ours.

#include "flightplan/MagneticModel.h"
#include "flightplan/PlanCalculation.h"
#include "flightplan/formats/Formats.h"

#include "FixtureDb.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

using namespace flightplan;

namespace {

Waypoint point(const char* ident, const char* name, WaypointKind kind, double latitude, double longitude)
{
    Waypoint p;
    p.ident = ident;
    p.name = name;
    p.kind = kind;
    p.latitude = latitude;
    p.longitude = longitude;
    return p;
}

// Sydney to a field near Canberra by two beacons, one named beyond ASCII.
FlightPlan southEastPlan()
{
    Waypoint yssy = point("YSSY", "Sydney Kingsford Smith", WaypointKind::Airport, -33.946098, 151.177002);
    yssy.elevationFt = 21;
    yssy.frequency = "125.3";
    Waypoint sy = point("SY", "Sydney", WaypointKind::Vor, -33.9435, 151.1860);
    sy.frequency = "112.1";
    sy.declination = 12.0;
    Waypoint gou = point("GOU", "Goulburn Wäldchen", WaypointKind::Vor, -34.8103, 149.7264);
    gou.frequency = "116.4";
    gou.elevationFt = 2100;
    Waypoint field = point("ZZ-12345", "Bungendore Strip", WaypointKind::Airport, -35.2537, 149.4432);
    PlanOptions options;
    options.date = CivilDate{2025, 6, 1};
    static const MagneticModel model = MagneticModel::load(MERIDANE_WMM_TEST_FILE);
    return computePlan({yssy, sy, gou, field}, options, model);
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string run(const std::string& command)
{
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            output.append(buffer, n);
        pclose(pipe);
    }
    while (!output.empty() && output.back() == '\n')
        output.pop_back();
    return output;
}

std::string xpath(const std::string& file, const std::string& expression)
{
    return run("xmllint --xpath \"" + expression + "\" " + file + " 2>&1");
}

class FormatsSouthEastTest : public ::testing::TestWithParam<PlanFormat> {};

}  // namespace

// Setting MERIDANE_WRITE_GOLDEN=1 rewrites the golden files from the writers.
TEST_P(FormatsSouthEastTest, SouthEastPlanMatchesItsGoldenFile)
{
    const PlanFormat& format = GetParam();
    ScratchDirectory dir;
    const std::string file = std::string("southeast") + format.extension;
    exportPlan(southEastPlan(), file);
    const std::string golden = "flightplan/golden/" + file;
    if (std::getenv("MERIDANE_WRITE_GOLDEN"))
        std::ofstream(std::string(MERIDANE_TEST_DATA_DIR) + "/" + golden, std::ios::binary) << readFile(file);
    EXPECT_EQ(readFile(file), ReadTestFile(golden));
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, FormatsSouthEastTest, ::testing::ValuesIn(planFormats()),
                         [](const auto& info) { return std::string(info.param.id); });

// Southern latitudes keep their sign (or S), eastern longitudes theirs, and
// the long ident loses only its hyphen where the format has room for it.
TEST(FormatsSouthEast, SignsAndTheLongIdentAsOtherReadersSeeThem)
{
    ScratchDirectory dir;
    const FlightPlan plan = southEastPlan();
    for (const char* file : {"se.gpx", "se.fpl", "se.pln", "se.fms", "se.fgfp", "se.json"})
        exportPlan(plan, file);

    const struct {
        const char* what;
        std::string found, expected;
    } cases[] = {
        {"GPX through gpsbabel",
         run("gpsbabel -r -i gpx -f se.gpx -o unicsv -F - 2>&1 | sed -n 2p | cut -d, -f2-4"),
         "-33.946098,151.177002,\"YSSY\""},
        {"GPX last point", run("gpsbabel -r -i gpx -f se.gpx -o unicsv -F - 2>&1 | sed -n 5p | cut -d, -f2-4"),
         "-35.253700,149.443200,\"ZZ-12345\""},
        {"Garmin identifiers",
         xpath("se.fpl", "concat(//*[local-name()='waypoint'][4]/*[local-name()='identifier'], ' ', "
                         "//*[local-name()='waypoint'][4]/*[local-name()='lat'], ' ', "
                         "//*[local-name()='waypoint'][4]/*[local-name()='lon'])"),
         "ZZ12345 -35.253700 149.443200"},
        {"MSFS position", xpath("se.pln", "string(//ATCWaypoint[1]/WorldPosition)").substr(0, 3), "S33"},
        {"MSFS east", xpath("se.pln", "substring-after(string(//ATCWaypoint[1]/WorldPosition), ',')").substr(0, 4),
         "E151"},
        {"X-Plane destination", run("sed -n 5p se.fms"), "DES ZZ12345"},
        {"FlightGear last point", xpath("se.fgfp", "string(/PropertyList/route/wp[last()]/ident)"), "ZZ12345"},
        {"JSON destination",
         nlohmann::json::parse(readFile("se.json"))["destination"]["lat"].dump(), "-35.2537"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.found, c.expected) << c.what;
}
