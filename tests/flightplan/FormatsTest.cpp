// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/AsciiText.h"
#include "flightplan/MagneticModel.h"
#include "flightplan/PlanCalculation.h"
#include "flightplan/PlanError.h"
#include "flightplan/formats/FormatWriters.h"
#include "flightplan/formats/Formats.h"

#include "tests/support/CommandOutput.h"
#include "tests/support/FixtureDb.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <set>
#include <sstream>

using namespace flightplan;

namespace flightplan {
void PrintTo(const PlanFormat& format, std::ostream* out)
{
    *out << format.id;
}
}  // namespace flightplan

namespace {

Waypoint point(const char* ident, const char* name, WaypointKind kind, double latitude, double longitude)
{
    return Waypoint{ident, name, kind, latitude, longitude, {}, {}, {}, 0, {}, {}, false, {}};
}

// A database airport, a beacon with and one without its declination (the
// latter named with every character XML must escape, and letters beyond
// ASCII), and an airport no simulator knows by its ident.
FlightPlan samplePlan()
{
    Waypoint kjfk = point("KJFK", "John F Kennedy International Airport", WaypointKind::Airport, 40.639801, -73.7789);
    kjfk.elevationFt = 13;
    kjfk.frequency = "128.725";
    Waypoint mad = point("MAD", "Madison", WaypointKind::Vor, 41.313702, -72.692001);
    mad.frequency = "110.4";
    mad.elevationFt = 230;
    mad.declination = -14.0;
    Waypoint orw = point("ORW", "Smith & Sons <North> \"Q\" 'R' Ünïon", WaypointKind::Vor, 41.556301, -71.999199);
    orw.frequency = "110.0";
    orw.serviceClass = 'T';  // a terminal beacon moves the changeover towards it
    Waypoint field = point("US-0042", "Hobby Field", WaypointKind::Airport, 42.2, -71.2);
    PlanOptions options;
    options.date = CivilDate{2025, 6, 1};
    options.trueAirspeedKt = 120;
    options.wind = Wind{320, 25};
    options.fuelBurnPerHour = 9.5;
    static const MagneticModel model = MagneticModel::load(MERIDANE_WMM_TEST_FILE);
    return computePlan({kjfk, mad, orw, field}, options, model);
}

std::string xpath(const std::string& file, const std::string& expression)
{
    std::string result = CommandOutput("xmllint --xpath \"" + expression + "\" " + file + " 2>&1");
    if (!result.empty() && result.back() == '\n')
        result.pop_back();
    return result;
}

void expectWellFormed(const std::string& file)
{
    int status = -1;
    const std::string errors = CommandOutput("xmllint --noout " + file + " 2>&1", &status);
    EXPECT_EQ(status, 0) << errors;
}

// A decimal with six places, as the X-Plane grammar writes altitude and
// position: -?digits.dddddd
bool isSixPlaces(const std::string& text)
{
    const std::size_t start = text.rfind('-', 0) == 0 ? 1 : 0;
    const std::size_t dot = text.find('.');
    return dot != std::string::npos && dot > start && text.size() - dot == 7 &&
           text.find_first_not_of("0123456789", start) == dot &&
           text.find_first_not_of("0123456789", dot + 1) == std::string::npos;
}

// Each file read back by a reader that is not ours; for X-Plane's plain
// text, its published line grammar.
void checkFms(const std::string& file)
{
    std::istringstream in(ReadWholeFile(file));
    std::vector<std::vector<std::string>> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(base::splitWords(line));
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], std::vector<std::string>{"I"});
    EXPECT_EQ(lines[1], (std::vector<std::string>{"1100", "Version"}));
    ASSERT_EQ(lines[2].size(), 2u);
    EXPECT_EQ(lines[2][0], "CYCLE");
    EXPECT_TRUE(lines[2][1].size() == 4 && lines[2][1].find_first_not_of("0123456789") == std::string::npos);
    EXPECT_EQ(lines[3], (std::vector<std::string>{"ADEP", "KJFK"}));
    EXPECT_EQ(lines[4], (std::vector<std::string>{"DES", "US0042"}));
    EXPECT_EQ(lines[5], (std::vector<std::string>{"NUMENR", std::to_string(lines.size() - 6)}));
    const std::set<std::string> types{"1", "2", "3", "11", "28"}, vias{"ADEP", "ADES", "DRCT"};
    for (std::size_t i = 6; i < lines.size(); ++i) {
        const std::vector<std::string>& w = lines[i];
        ASSERT_EQ(w.size(), 6u) << i;
        EXPECT_TRUE(types.count(w[0]) && vias.count(w[2])) << w[0] << " " << w[2];
        EXPECT_TRUE(isSixPlaces(w[3]) && isSixPlaces(w[4]) && isSixPlaces(w[5])) << w[3] << " " << w[4] << " " << w[5];
        EXPECT_LE(std::fabs(std::stod(w[4])), 90.0);
    }
    EXPECT_EQ(lines[6][2], "ADEP");
}

void checkPln(const std::string& file)
{
    expectWellFormed(file);
    EXPECT_EQ(xpath(file, "concat(name(/*), '|', namespace-uri(/*))"), "SimBase.Document|");
    EXPECT_EQ(xpath(file, "string(/SimBase.Document/FlightPlan.FlightPlan/RouteType)"), "VOR");
    // Every point, the user waypoint too, names itself in an ICAO element.
    EXPECT_EQ(xpath(file, "count(//ATCWaypoint[ICAO/ICAOIdent])"), "4");
    EXPECT_EQ(xpath(file, "string(//ATCWaypoint[ATCWaypointType='User']/ICAO/ICAOIdent)"), "US0042");
    EXPECT_EQ(xpath(file, "string(//ATCWaypoint[2]/WorldPosition)"), "N41° 18' 49.33\",W72° 41' 31.20\",+003500.00");
}

void checkFpl(const std::string& file)
{
    expectWellFormed(file);
    EXPECT_EQ(xpath(file, "concat(local-name(/*), '|', namespace-uri(/*))"),
              "flight-plan|http://www8.garmin.com/xmlschemas/FlightPlan/v1");
    EXPECT_EQ(xpath(file, "count(/*/*[local-name()='route']/*[local-name()='route-point'])"), "4");
    EXPECT_EQ(xpath(file, "count(/*/*[local-name()='waypoint-table']/*[local-name()='waypoint'])"), "4");
}

void checkGpx(const std::string& file)
{
    int status = -1;
    const std::string csv = CommandOutput("gpsbabel -r -i gpx -f " + file + " -o unicsv -F - 2>&1", &status);
    ASSERT_EQ(status, 0) << csv;
    std::istringstream in(csv);
    std::string line, names, altitudes;
    std::getline(in, line);
    EXPECT_EQ(line.rfind("No,Latitude,Longitude,Name,Altitude,", 0), 0u) << line;
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::stringstream row(line);
        for (std::string cell; std::getline(row, cell, ',');)
            cells.push_back(cell);
        ASSERT_GE(cells.size(), 4u) << line;
        names += cells[3] + " ";  // quoted by the writer of the CSV
        altitudes += cells[4] + " ";
    }
    EXPECT_EQ(names, "\"KJFK\" \"MAD\" \"ORW\" \"US-0042\" ");
    // Metres: KJFK's 13 ft field, both beacons at the 3,500 ft cruise (not
    // MAD's 230 ft ground), the field of unknown elevation without one.
    EXPECT_EQ(altitudes, "4.0 1066.8 1066.8  ");
    EXPECT_NE(csv.find("40.639801,-73.778900"), std::string::npos) << csv;
}

void checkFgfp(const std::string& file)
{
    expectWellFormed(file);
    EXPECT_EQ(xpath(file, "concat(name(/*), '|', namespace-uri(/*), '|', /PropertyList/version)"), "PropertyList||2");
    EXPECT_EQ(xpath(file, "string(/PropertyList/departure/airport)"), "KJFK");
    EXPECT_EQ(xpath(file, "count(/PropertyList/destination)"), "0");
    EXPECT_EQ(xpath(file, "count(/PropertyList/route/wp[type='navaid'])"), "3");
    // Flagged ends, else the route manager adds the airports a second time.
    EXPECT_EQ(xpath(file, "concat(count(//wp[departure='true']), count(//wp[approach='true']))"), "11");
    EXPECT_EQ(xpath(file, "string(/PropertyList/route/wp[1][departure/@type='bool']/ident)"), "KJFK");
    EXPECT_EQ(xpath(file, "string(/PropertyList/route/wp[last()][approach/@type='bool']/ident)"), "US0042");
    EXPECT_EQ(xpath(file, "string(/PropertyList/cruise/altitude-ft[@type='int'])"), "3500");
}

void checkJson(const std::string& file)
{
    const nlohmann::json json = nlohmann::json::parse(ReadWholeFile(file));
    EXPECT_EQ(json["route"], "KJFK DCT MAD DCT ORW US-0042");
    EXPECT_EQ(json["route_item15"], "DCT MAD DCT ORW");
    EXPECT_EQ(json["destination"]["elevation_ft"], nullptr);
    ASSERT_EQ(json["legs"].size(), 3u);
    EXPECT_EQ(json["legs"][0]["radial_from"], nullptr);
    EXPECT_EQ(json["legs"][1]["frequency"], "110.0");
    EXPECT_EQ(json["legs"][2]["radial_to"], nullptr);

    // The wind triangle closed as vectors: the air vector along the heading
    // plus the wind's (blowing toward the opposite of where it comes from)
    // is the ground vector along the course.
    EXPECT_EQ(json["true_airspeed_kt"], 120.0);
    EXPECT_EQ(json["wind"]["from_true_deg"], 320.0);
    const double degree = std::acos(-1.0) / 180.0, wind = 25.0, towards = (320.0 + 180.0) * degree;
    double minutes = 0.0;
    for (const auto& leg : json["legs"]) {
        const double heading = leg["heading_true"].get<double>() * degree;
        const double course = leg["course_true"].get<double>() * degree;
        const double speed = leg["ground_speed_kt"].get<double>();
        EXPECT_NEAR(120.0 * std::sin(heading) + wind * std::sin(towards), speed * std::sin(course), 0.3) << leg;
        EXPECT_NEAR(120.0 * std::cos(heading) + wind * std::cos(towards), speed * std::cos(course), 0.3) << leg;
        EXPECT_NEAR(leg["heading_magnetic"].get<double>() - leg["heading_true"].get<double>(),
                    leg["course_magnetic"].get<double>() - leg["course_true"].get<double>(), 0.11)
            << leg;
        EXPECT_NEAR(leg["ete_min"].get<double>(), leg["distance_nm"].get<double>() / speed * 60.0, 0.1) << leg;
        EXPECT_NEAR(leg["fuel"].get<double>(), 9.5 * leg["ete_min"].get<double>() / 60.0, 0.06) << leg;
        minutes += leg["ete_min"].get<double>();
    }
    EXPECT_NEAR(json["fuel_total"].get<double>(), 9.5 * minutes / 60.0, 0.1);
    EXPECT_NEAR(json["fuel_with_reserve"].get<double>() - json["fuel_total"].get<double>(), 9.5 * 0.75, 0.06);
    EXPECT_NEAR(json["ground_speed_kt"].get<double>(), json["total_nm"].get<double>() / minutes * 60.0, 0.2);
}

// The independent reader of each format; the leg table has none.
void (*readerFor(const std::string& id))(const std::string&)
{
    const std::map<std::string, void (*)(const std::string&)> readers{
        {"fms", checkFms}, {"pln", checkPln}, {"fpl", checkFpl}, {"gpx", checkGpx}, {"fgfp", checkFgfp},
        {"json", checkJson}, {"legs", nullptr}, {"pdf", nullptr}};
    const auto found = readers.find(id);
    if (found == readers.end())
        ADD_FAILURE() << "no reader is named for the format " << id;
    return found == readers.end() ? nullptr : found->second;
}

class FormatsTest : public ::testing::TestWithParam<PlanFormat> {};

}  // namespace

// Writes the plan as golden/<stem><extension> in the scratch directory and
// compares it with the golden file. Setting MERIDANE_WRITE_GOLDEN=1 rewrites
// the golden files from the writers, for review in the change that alters a
// format.
std::string expectGolden(const FlightPlan& plan, const std::string& stem, const PlanFormat& format)
{
    const std::string file = stem + format.extension;
    exportPlan(plan, file);
    const std::string golden = "flightplan/golden/" + file;
    if (std::getenv("MERIDANE_WRITE_GOLDEN"))
        std::ofstream(std::string(MERIDANE_TEST_DATA_DIR) + "/" + golden, std::ios::binary) << ReadWholeFile(file);
    EXPECT_EQ(ReadWholeFile(file), ReadTestFile(golden));
    return file;
}

TEST_P(FormatsTest, SamplePlanMatchesItsGoldenFileAndReadsBack)
{
    ScratchDirectory dir;
    const std::string file = expectGolden(samplePlan(), "sample", GetParam());
    if (auto readBack = readerFor(GetParam().id))
        readBack(file);
}

// The kneeboard navlog, drawn with its map by the layer above, has tests of
// its own.
static std::vector<PlanFormat> formatsWrittenHere()
{
    std::vector<PlanFormat> formats;
    for (const PlanFormat& format : planFormats()) {
        if (format.write)
            formats.push_back(format);
    }
    return formats;
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, FormatsTest, ::testing::ValuesIn(formatsWrittenHere()),
                         [](const auto& info) { return std::string(info.param.id); });

TEST(PlanExport, AFailedExportLeavesNoFileAndNamesIt)
{
    ScratchDirectory dir;
    const FlightPlan plan = samplePlan();
    std::filesystem::create_directory("taken.fms");  // rename cannot replace a directory
    std::filesystem::create_directory("locked");
    chmod("locked", 0555);
    std::vector<std::string> paths{"taken.fms", "plan.doc", "missing/plan.gpx"};
    if (geteuid() != 0)  // the superuser writes into any folder
        paths.push_back("locked/plan.pln");
    for (const std::string& path : paths) {
        try {
            exportPlan(plan, path);
            ADD_FAILURE() << path << " was written";
        } catch (const PlanError& e) {
            EXPECT_NE(std::string(e.what()).find("file " + path), std::string::npos) << e.what();
        }
    }
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::recursive_directory_iterator("."))
        left.push_back(entry.path().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"./locked", "./taken.fms"}));
}

// A plan in the southern and eastern hemispheres, ending at an airport whose
// generated ident is longer than most formats take.
namespace {

// A command's output without its final line break.
std::string line(std::string text)
{
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
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

class FormatsSouthEastTest : public ::testing::TestWithParam<PlanFormat> {};

}  // namespace

TEST_P(FormatsSouthEastTest, SouthEastPlanMatchesItsGoldenFile)
{
    ScratchDirectory dir;
    expectGolden(southEastPlan(), "southeast", GetParam());
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, FormatsSouthEastTest, ::testing::ValuesIn(formatsWrittenHere()),
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
         line(CommandOutput("gpsbabel -r -i gpx -f se.gpx -o unicsv -F - 2>&1 | sed -n 2p | cut -d, -f2-4")),
         "-33.946098,151.177002,\"YSSY\""},
        {"GPX last point", line(CommandOutput("gpsbabel -r -i gpx -f se.gpx -o unicsv -F - 2>&1 | sed -n 5p | cut -d, -f2-4")),
         "-35.253700,149.443200,\"ZZ-12345\""},
        {"Garmin identifiers",
         xpath("se.fpl", "concat(//*[local-name()='waypoint'][4]/*[local-name()='identifier'], ' ', "
                         "//*[local-name()='waypoint'][4]/*[local-name()='lat'], ' ', "
                         "//*[local-name()='waypoint'][4]/*[local-name()='lon'])"),
         "ZZ12345 -35.253700 149.443200"},
        {"MSFS position", xpath("se.pln", "string(//ATCWaypoint[1]/WorldPosition)").substr(0, 3), "S33"},
        {"MSFS east", xpath("se.pln", "substring-after(string(//ATCWaypoint[1]/WorldPosition), ',')").substr(0, 4),
         "E151"},
        {"X-Plane destination", line(CommandOutput("sed -n 5p se.fms")), "DES ZZ12345"},
        {"FlightGear last point", xpath("se.fgfp", "string(/PropertyList/route/wp[last()]/ident)"), "ZZ12345"},
        {"JSON destination",
         nlohmann::json::parse(ReadWholeFile("se.json"))["destination"]["lat"].dump(), "-35.2537"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.found, c.expected) << c.what;
}

// A leg too short to have a direction shows none, wherever courses show.
TEST(PlanExport, ALegOfNoLengthShowsNoCourseOrRadial)
{
    FlightPlan plan = samplePlan();
    Waypoint onField = plan.waypoints[1];  // MAD, moved onto KJFK's field
    onField.latitude = plan.waypoints[0].latitude;
    onField.longitude = plan.waypoints[0].longitude + 0.0005;  // 0.02 nm east
    static const MagneticModel model = MagneticModel::load(MERIDANE_WMM_TEST_FILE);
    PlanOptions options;
    options.date = plan.date;
    plan = computePlan({plan.waypoints[0], onField, plan.waypoints[2], plan.waypoints[3]}, options, model);

    const std::vector<std::vector<std::string>> rows = legTableRows(plan);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"KJFK", "MAD", "110.4", "-", "-", "0.0", "0:00", "0.0", ""}));
    EXPECT_NE(rows[1][3], "-");

    const nlohmann::json json = nlohmann::json::parse(writeJson(plan));
    const nlohmann::json& first = json["legs"][0];
    EXPECT_EQ(first["distance_nm"], 0.0);
    EXPECT_EQ(first["course_true"], nullptr);
    EXPECT_EQ(first["course_magnetic"], nullptr);
    EXPECT_EQ(first["radial_to"], nullptr);
    EXPECT_TRUE(json["legs"][1]["course_magnetic"].is_number());
    EXPECT_TRUE(json["legs"][1]["radial_from"].is_number());
}

// Under simulator ranges a beacon the simulator's data lacks is silent
// there: range 0, and the leg table, its narrow form and the JSON say why.
// ORW is such a beacon in the sample; MAD has the simulator's 40 nm.
TEST(PlanExport, ABeaconTheSimulatorLacksIsSaidToBeSoEverywhere)
{
    FlightPlan plan = samplePlan();
    static const MagneticModel model = MagneticModel::load(MERIDANE_WMM_TEST_FILE);
    PlanOptions options;
    options.date = plan.date;
    options.rangeModel = coverage::RangeModel::Simulator;
    plan.waypoints[1].simulatorRangeNm = 40.0;
    plan = computePlan(plan.waypoints, options, model);
    EXPECT_EQ(plan.waypoints[2].rangeNm, 0.0);
    EXPECT_FALSE(plan.waypoints[1].missingFromSimulator);
    EXPECT_TRUE(plan.waypoints[2].missingFromSimulator);

    const std::vector<std::vector<std::string>> rows = legTableRows(plan);
    EXPECT_EQ(rows[0].back(), "no VOR for 24 nm");  // MAD reaches 40 nm of the 64
    EXPECT_EQ(rows[1].back().rfind("ORW not in the simulator's data", 0), 0u) << rows[1].back();
    EXPECT_EQ(rows[2].back().rfind("ORW not in the simulator's data, no VOR for", 0), 0u) << rows[2].back();
    EXPECT_EQ(compactLegRows(plan)[2].back().rfind("ORW not in sim gap", 0), 0u) << compactLegRows(plan)[2].back();
    const std::string table = writeLegTable(plan);
    EXPECT_NE(table.find("\nORW: not in the simulator's data, so not receivable there\n"), std::string::npos) << table;

    const nlohmann::json json = nlohmann::json::parse(writeJson(plan));
    EXPECT_FALSE(json["waypoints"][1].contains("range_note"));
    EXPECT_EQ(json["waypoints"][2]["range_note"], "not in the simulator's data");
    EXPECT_EQ(json["waypoints"][2]["range_nm"], 0.0);

    // Under the standard ranges nothing is missing.
    options.rangeModel = coverage::RangeModel::Standard;
    plan = computePlan(plan.waypoints, options, model);
    EXPECT_EQ(simulatorDataText(plan), "");
    EXPECT_FALSE(nlohmann::json::parse(writeJson(plan))["waypoints"][2].contains("range_note"));
}

// Both routes in one document, each exactly as writeJson writes it alone.
TEST(PlanExport, TheComparisonInJsonHoldsBothWholePlans)
{
    FlightPlan listed = samplePlan(), best = samplePlan();
    best.routeKind = RouteKind::Best;
    const nlohmann::json both = nlohmann::json::parse(writeJsonComparison(listed, best));
    EXPECT_EQ(both.size(), 2u);
    EXPECT_EQ(both["listed"], nlohmann::json::parse(writeJson(listed)));
    EXPECT_EQ(both["best"], nlohmann::json::parse(writeJson(best)));
    EXPECT_EQ(both["best"]["route_kind"], "best");
}

// h:mm up to a hundred thousand hours; nothing a plan may hold overflows.
TEST(PlanExport, DurationsNeverOverflow)
{
    const struct {
        double minutes;
        const char* text;
    } cases[] = {
        {0.0, "0:00"},          {59.4, "0:59"},       {59.5, "1:00"},          {125.0, "2:05"},
        {6e6, "100000:00"},     {6e6 + 1, "--:--"},   {8.1e13, "--:--"},       {1e308, "--:--"},
        {-1.0, "--:--"},        {-9.2e18, "--:--"},   {std::numeric_limits<double>::quiet_NaN(), "--:--"},
        {std::numeric_limits<double>::infinity(), "--:--"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(durationText(c.minutes), c.text) << c.minutes;
}
