// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/FixtureDb.h"
#include "tests/map/SvgLabels.h"
#include "tests/support/SearchFixture.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

// Runs meridane-plan in the current directory, with `environment`
// ("NAME=value ...") before it. The user's data directory lies in the
// current directory unless the environment names another, so that no
// database of the machine's own user is ever found.
Outcome Plan(const std::string& args, const std::string& standardOutput = "plan.out",
             const std::string& environment = "", const std::string& program = MERIDANE_PLAN_EXE)
{
    std::string command = "XDG_DATA_HOME=\"$PWD/xdg\" " + environment + " '" + program + "' " + args + " >" +
                          standardOutput + " 2>plan.err";
    int raw = std::system(command.c_str());
    Outcome outcome{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadWholeFile("plan.out"), ReadWholeFile("plan.err")};
    std::remove("plan.out");
    std::remove("plan.err");
    return outcome;
}

class PlanCommandTest : public NavDbTest {
protected:
    std::string World() const override
    {
        return AirportRow(1, "AAAA", "Start", "N", 10, 0, "E", 10, 0) +
               AirportRow(2, "BBBB", "Goal", "N", 10, 0, "E", 13, 0) +
               AirportRow(3, "CCCC", "Lonely", "N", 50, 0, "W", 100, 0) +
               NavRow(1, "One", "N", 10, 10, "E", 11, 0, "VOR", "-1.0", "120") +
               NavRow(2, "Two", "N", 10, 0, "E", 12, 0, "VOR", "113.1", "45") +
               "INSERT INTO airport_facts VALUES (1,10.0,10.0,'AAA','XX'),(2,10.0,13.0,NULL,'XX'),"
               "(3,50.0,-100.0,NULL,'XX');"
               "INSERT INTO nav_facts VALUES (1,10.1,11.0,'XX',-2.0),(2,10.0,12.0,'XX',NULL);";
    }
};

}  // namespace

TEST_F(PlanCommandTest, MapLabelsNeverOverlapAndEveryRouteBeaconIsNamed)
{
    // A crowd of beacons round the route, closer together than their labels are wide.
    std::string crowd;
    for (int i = 0; i < 48; ++i) {
        const int id = 10 + i;
        crowd += NavRow(id, "Crowd", "N", 9 + i % 3, (i * 7) % 60, "E", 10 + (i / 3) % 4, (i * 13) % 60, "VOR",
                        "11" + std::to_string(i % 8) + ".2", "0");
        crowd += "INSERT INTO nav_facts VALUES (" + std::to_string(id) + "," + std::to_string(9 + i % 3 + (i * 7 % 60) / 60.0) +
                 "," + std::to_string(10 + (i / 3) % 4 + (i * 13 % 60) / 60.0) + ",'XX',NULL);";
    }
    ExecuteSqlScript("VORS.MDB", crowd);
    const auto plan = nlohmann::json::parse(Plan("--format json AAAA BBBB").out);
    for (const char* size : {"1200x900", "600x450", "400x400"}) {
        SCOPED_TRACE(size);
        const Outcome drawn = Plan(std::string("--map route.svg --map-size ") + size + " AAAA BBBB");
        ASSERT_EQ(drawn.status, 0) << drawn.err;
        const auto labels = maptest::svgLabels(ReadWholeFile("route.svg"));
        for (const auto& [a, b] : maptest::overlappingLabels(labels))
            ADD_FAILURE() << '"' << a.text << "\" overlaps \"" << b.text << '"';
        if (std::string(size) == "400x400")
            continue;
        for (std::size_t leg = 0; leg + 1 < plan["legs"].size(); ++leg) {
            const std::string ident = plan["legs"][leg]["to"];
            EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [&](const auto& l) { return l.text == ident; }))
                << ident;
        }
    }
}

TEST_F(PlanCommandTest, TsvIsExactlyTheRouteRowCells)
{
    Outcome o = Plan("--format tsv aaaa BBBB");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out,
              "One\tNA\tN10* 10.0'\tE11* 0.0'\t120\t60.36\t120.27\n"
              "Two\t113.1\tN10* 0.0'\tE12* 0.0'\t45\t120.12\t60.06\n");
    EXPECT_EQ(o.err, "");
}

TEST_F(PlanCommandTest, TableLaysTheRowsOutInReportColumns)
{
    Outcome o = Plan("--stats '#1' '#2'");
    EXPECT_EQ(o.status, 0) << o.err;
    std::istringstream lines(o.out);
    std::string heading, underline, first;
    std::getline(lines, heading);
    std::getline(lines, underline);
    std::getline(lines, first);
    EXPECT_EQ(heading, "Navigation Name         Freq  Latitude   Longtitude Alt.  Dist Dept. Dist Dest. ");
    EXPECT_EQ(underline.size(), 80u);
    EXPECT_EQ(first, "One                     NA    N10* 10.0' E11* 0.0'  120   60.36      120.27     ");
    EXPECT_NE(o.err.find("statements: "), std::string::npos) << o.err;
}

TEST_F(PlanCommandTest, AnEmptyRouteIsStillASuccess)
{
    Outcome o = Plan("--format=tsv CCCC AAAA");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, "");
}

TEST_F(PlanCommandTest, UnknownAirportsAndBadCommandLinesExitWith2)
{
    Outcome o = Plan("AAAA ZZZZ");
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find("ZZZZ"), std::string::npos) << o.err;
    EXPECT_EQ(Plan("AAAA").status, 2);
    EXPECT_EQ(Plan("AAAA BBBB CCCC").status, 2);
    EXPECT_EQ(Plan("--format csv AAAA BBBB").status, 2);
    EXPECT_EQ(Plan("--speed 120kt AAAA BBBB").status, 2);
    EXPECT_EQ(Plan("--frobnicate AAAA BBBB").status, 2);
    EXPECT_EQ(Plan("'#x' BBBB").status, 2);
}

TEST_F(PlanCommandTest, IataCodesNameAirportsAndOtherTextsListTheBestMatches)
{
    ExecuteSqlScript("VORS.MDB", "UPDATE airport_facts SET IATA='GGG' WHERE ID IN (2,3);");
    IndexAirportsForSearch("VORS.MDB");
    Outcome o = Plan("--format tsv aaa BBBB");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, Plan("--format tsv AAAA BBBB").out);

    o = Plan("AAAA l");
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err,
              "meridane-plan: l is no airport's ident or IATA code; best matches:\n"
              "  CCCC    GGG  Lonely, Testcity, Testland\n"
              "  BBBB    GGG  Goal, Testcity, Testland\n");
    o = Plan("GGG AAAA");
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find("GGG is the code of more than one airport"), std::string::npos) << o.err;
}

TEST_F(PlanCommandTest, AMissingDatabaseExitsWith1NamingIt)
{
    m_db.reset();
    std::remove("VORS.MDB");
    Outcome o = Plan("AAAA BBBB");
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find("VORS.MDB"), std::string::npos) << o.err;
    EXPECT_NE(o.err.find(m_dir->path()), std::string::npos) << o.err;
    EXPECT_EQ(o.out, "");
}

TEST_F(PlanCommandTest, ADamagedRowIsADatabaseErrorWithExit1)
{
    ExecuteSqlScript("VORS.MDB", "UPDATE navs SET LongMinor='bad' WHERE ID=2;");
    Outcome o = Plan("AAAA BBBB");
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find("bad"), std::string::npos) << o.err;
}

TEST_F(PlanCommandTest, ReportWritesCourseTxtWithTheAirportTextsRunwaysAndRoute)
{
    ExecuteSqlScript("VORS.MDB", "INSERT INTO runways VALUES (1,'09',5000,'Grass',-1.0);");
    Outcome o = Plan("--report --format tsv AAAA BBBB");
    EXPECT_EQ(o.status, 0) << o.err;
    std::string path = m_dir->path() + "/course.txt";
    EXPECT_NE(o.out.find(path + "\n"), std::string::npos) << o.out;
    std::string report = ReadWholeFile("course.txt");
    EXPECT_NE(report.find("Latitude:  N10* 0.0'                    Latitude:  N10* 0.0'"), std::string::npos);
    EXPECT_NE(report.find("Elevation: 100 ft."), std::string::npos);
    EXPECT_NE(report.find("ATIS: NA   "), std::string::npos);
    EXPECT_NE(report.find("09   5000   Grass     NA                " + std::string(40, ' ') + "\r\n"),
              std::string::npos);
    EXPECT_NE(report.find("\r\nTwo                     113.1 N10* 0.0'  E12* 0.0'  45    120.12     60.06      \r\n"),
              std::string::npos);
}

TEST_F(PlanCommandTest, AReportThatCannotBeWrittenIsAnErrorWithExit1)
{
    ASSERT_EQ(mkdir("course.txt", 0755), 0);
    Outcome o = Plan("--report AAAA BBBB");
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find("course.txt"), std::string::npos) << o.err;
}

TEST_F(PlanCommandTest, HelpIsASuccessButOutputThatCannotBeWrittenIsNot)
{
    Outcome help = Plan("--stats --help");
    EXPECT_EQ(help.status, 0) << help.err;
    EXPECT_EQ(help.out.rfind("Usage: meridane-plan ", 0), 0u) << help.out;
    EXPECT_EQ(help.err, "");
    for (const char* args : {"--format tsv AAAA BBBB", "--help"}) {
        Outcome full = Plan(args, "/dev/full");
        EXPECT_EQ(full.status, 1) << args;
        EXPECT_NE(full.err.find("cannot write to standard output: No space left on device"), std::string::npos)
            << full.err;
    }
}

TEST_F(PlanCommandTest, VersionNamesTheDataOfTheDatabaseItWouldUse)
{
    // A database from before the import kept its sources.
    Outcome old = Plan("--version");
    EXPECT_EQ(old.status, 0) << old.err;
    EXPECT_EQ(old.out.rfind("meridane-plan 1.", 0), 0u) << old.out;
    EXPECT_NE(old.out.find("Navigation data: OurAirports of unknown date, no ILS frequencies"), std::string::npos)
        << old.out;

    std::filesystem::copy_file("VORS.MDB", "other.MDB");
    ExecuteSqlScript("other.MDB", "CREATE TABLE data_sources (File TEXT, Origin TEXT, DataDate TEXT, Version TEXT,"
                                  " Rows INTEGER, Imported TEXT);"
                                  "INSERT INTO data_sources VALUES ('airports.csv','x','2026-09-01',NULL,1,'t'),"
                                  "('nav.dat','y','2026-01-01','2013.10',1,'t');");
    Outcome named = Plan("--version --db other.MDB");
    EXPECT_EQ(named.status, 0) << named.err;
    EXPECT_NE(named.out.find("Navigation data: OurAirports of 2026-09-01, ILS from X-Plane 2013.10 (other.MDB)"),
              std::string::npos)
        << named.out;

    Outcome none = Plan("--version --db missing.MDB");
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("missing.MDB"), std::string::npos) << none.err;
}

TEST_F(PlanCommandTest, TheFlightPlanAsJsonRouteStringAndFiles)
{
    Outcome o = Plan("--format json --speed 120 --cruise 4500 --export plan.gpx AAAA BBBB");
    ASSERT_EQ(o.status, 0) << o.err;
    const auto plan = nlohmann::json::parse(o.out);
    EXPECT_EQ(plan["route"], "AAAA DCT N1 DCT N2 BBBB");
    EXPECT_EQ(plan["cruise_ft"], 4500);
    ASSERT_EQ(plan["legs"].size(), 3u);
    EXPECT_EQ(plan["legs"][0]["radial_from"], nullptr);
    EXPECT_EQ(plan["legs"][1]["frequency"], "113.1");
    // Three degrees along the 10 N parallel of WGS 84 are 177.6 nm; the dip
    // to One, 0.1 north of it, adds about half a mile.
    EXPECT_NEAR(plan["total_nm"].get<double>(), 178.2, 0.3);
    EXPECT_NE(ReadWholeFile("plan.gpx").find("<name>N2</name>"), std::string::npos);
    EXPECT_EQ(Plan("--map route.svg --map-size 400x300 AAAA BBBB").status, 0);
    EXPECT_NE(ReadWholeFile("route.svg").find(">N1</text>"), std::string::npos);

    EXPECT_EQ(Plan("--route-string CCCC AAAA").out, "CCCC DCT AAAA\n");
    // A file name without a known format is refused before any search.
    Outcome bad = Plan("--export plan.doc --export plan.fms AAAA BBBB");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("plan.doc"), std::string::npos) << bad.err;
    EXPECT_FALSE(std::ifstream("plan.fms").good());
    EXPECT_EQ(Plan("--map route.pdf --export plan.fms AAAA BBBB").status, 2);
    EXPECT_FALSE(std::ifstream("plan.fms").good());
}

TEST_F(PlanCommandTest, OptionsAndAirportsComeInAnyOrder)
{
    const std::string expected = Plan("--format tsv AAAA BBBB").out;
    ASSERT_NE(expected, "");
    for (const char* args : {"AAAA --format tsv BBBB", "AAAA BBBB --format=tsv", "--format=tsv -- AAAA BBBB"}) {
        Outcome o = Plan(args);
        EXPECT_EQ(o.status, 0) << args << "\n" << o.err;
        EXPECT_EQ(o.out, expected) << args;
    }
    Outcome help = Plan("-h --frobnicate");
    EXPECT_EQ(help.status, 0) << help.err;
    EXPECT_EQ(help.out.rfind("Usage: meridane-plan ", 0), 0u) << help.out;
    const struct {
        const char* args;
        const char* message;
    } wrong[] = {
        {"-x AAAA BBBB", "unknown option -x\n"},
        {"--stats=yes AAAA BBBB", "--stats=yes: --stats takes no value\n"},
        {"AAAA BBBB --format", "--format needs a value\n"},
        {"--db= AAAA BBBB", "--db needs a value\n"},
    };
    for (const auto& w : wrong) {
        Outcome o = Plan(w.args);
        EXPECT_EQ(o.status, 2) << w.args;
        EXPECT_EQ(o.err.rfind(std::string("meridane-plan: ") + w.message + "Usage: meridane-plan ", 0), 0u) << o.err;
    }
}

TEST_F(PlanCommandTest, SpeedsAndMapSizesOutsideTheirLimitsAreUsageErrors)
{
    for (const char* speed : {"1e-300", "0.99", "2000.5", "nan", "inf", "-5", "120kt", "1e400"}) {
        Outcome o = Plan(std::string("--speed ") + speed + " AAAA BBBB");
        EXPECT_EQ(o.status, 2) << speed;
        EXPECT_NE(o.err.find("--speed needs a true airspeed in knots from 1 to 2000, not '" + std::string(speed)),
                  std::string::npos)
            << o.err;
    }
    for (const char* speed : {"1", "2000", "+110.5"})
        EXPECT_EQ(Plan(std::string("--speed ") + speed + " --format tsv AAAA BBBB").status, 0) << speed;

    // 2^32 + 1 wrapped to 1 once; 16384 by 6104 is past 100 million pixels.
    for (const char* size : {"4294967297x1", "4294967396x100", "1x1", "99x100", "100x99", "16385x100", "16384x6104",
                             "100x100x", "100X100", "-100x100", "+100x100", " 100x100", "100x", "x100", "0x0"}) {
        Outcome o = Plan(std::string("--map route.png --map-size '") + size + "' AAAA BBBB");
        EXPECT_EQ(o.status, 2) << size;
        EXPECT_NE(o.err.find("--map-size needs WIDTHxHEIGHT in pixels, 100 to 16384 each"), std::string::npos)
            << o.err;
    }
    EXPECT_FALSE(std::ifstream("route.png").good());
}

TEST_F(PlanCommandTest, ADamagedAirportPositionIsAnErrorNamingTheAirportAndTheValue)
{
    const std::string pristine = ReadWholeFile("VORS.MDB");
    const struct {
        const char* damage;
        const char* args;
        const char* message;  // "" where the position is sound
    } cases[] = {
        {"UPDATE airports SET LatMajor=200 WHERE ID=1", "AAAA BBBB", "latitude of the airport AAAA (ID 1) in VORS.MDB"
                                                                     " is damaged: \"N200* 0.0'\""},
        {"UPDATE airports SET LongMajor=181 WHERE ID=2", "AAAA BBBB", "longitude of the airport BBBB (ID 2)"},
        {"UPDATE airports SET LongDir='N' WHERE ID=2", "AAAA BBBB", "\"N13* 0.0'\" (the hemisphere is not E or W)"},
        {"UPDATE airports SET LatMinor='100.5' WHERE ID=1", "AAAA BBBB", "\"N10* 100.5'\""},
        {"UPDATE airports SET LatMajor=90, LatMinor='0.01' WHERE ID=1", "AAAA BBBB", "lies beyond 90 degrees"},
        {"UPDATE airports SET LatMajor='bad' WHERE ID=1", "AAAA BBBB", "\"Nbad* 0.0'\""},
        {"UPDATE airports SET LatDir='S', LatMajor=90, LatMinor='0.0' WHERE ID=3", "CCCC AAAA", ""},
        {"UPDATE airports SET LongDir='E', LongMajor=180, LongMinor='0.0' WHERE ID=3", "CCCC AAAA", ""},
    };
    for (const auto& c : cases) {
        std::ofstream("VORS.MDB", std::ios::binary | std::ios::trunc) << pristine;
        ExecuteSqlScript("VORS.MDB", std::string(c.damage) + ";");
        Outcome o = Plan(std::string("--format tsv ") + c.args);
        if (*c.message == '\0') {
            EXPECT_EQ(o.status, 0) << c.damage << "\n" << o.err;
            continue;
        }
        EXPECT_EQ(o.status, 1) << c.damage;
        EXPECT_NE(o.err.find(c.message), std::string::npos) << c.damage << "\n" << o.err;
        EXPECT_EQ(o.out, "") << c.damage;
    }
}

TEST_F(PlanCommandTest, AnAirportTextLongerThanAnyNameMatchesNothing)
{
    IndexAirportsForSearch("VORS.MDB");
    Outcome o = Plan("AAAA " + std::string(120000, 'x'));
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.err.rfind("meridane-plan: no airport xxx", 0), 0u) << o.err.substr(0, 200);
    EXPECT_EQ(o.err.find("too complex"), std::string::npos) << o.err.substr(0, 200);
}

// ./VORS.MDB, else the user's data directory, else the installed one; --db
// names one. A copy whose first airport is QQQQ tells which was read.
TEST_F(PlanCommandTest, TheDatabaseIsFoundWhereTheInstalledProgramKeepsIt)
{
    namespace fs = std::filesystem;
    const std::string dir = m_dir->path();
    fs::copy_file("VORS.MDB", "other.mdb");
    ExecuteSqlScript("other.mdb", "UPDATE airports SET Ident='QQQQ' WHERE ID=1;");
    fs::create_directories("prefix/bin");
    fs::copy_file(MERIDANE_PLAN_EXE, "prefix/bin/meridane-plan");
    const std::string installed = dir + "/prefix/bin/meridane-plan";

    // A database in the current directory wins over the user's.
    fs::create_directories("xdg/meridane");
    fs::copy_file("other.mdb", "xdg/meridane/VORS.MDB");
    EXPECT_EQ(Plan("QQQQ BBBB").status, 2);
    EXPECT_EQ(Plan("--db other.mdb QQQQ BBBB").status, 0);
    EXPECT_EQ(Plan("--db " + dir + "/other.mdb QQQQ BBBB").status, 0);
    Outcome missing = Plan("--db nowhere.mdb AAAA BBBB");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("nowhere.mdb"), std::string::npos) << missing.err;
    fs::remove("VORS.MDB");

    const struct {
        const char* place;  // where the copy lies, below the scratch directory
        const char* environment;
        bool installedProgram;
    } cases[] = {
        {"xdg/meridane/VORS.MDB", "", false},
        {"home/.local/share/meridane/VORS.MDB", "HOME=\"$PWD/home\" XDG_DATA_HOME=", false},
        // A relative XDG_DATA_HOME is ignored, as the XDG rules say.
        {"home/.local/share/meridane/VORS.MDB", "HOME=\"$PWD/home\" XDG_DATA_HOME=xdg", false},
        {"prefix/share/meridane/VORS.MDB", "", true},
    };
    fs::remove("xdg/meridane/VORS.MDB");
    for (const auto& c : cases) {
        fs::create_directories(fs::path(c.place).parent_path());
        fs::copy_file("other.mdb", c.place);
        Outcome o = Plan("QQQQ BBBB", "plan.out", c.environment, c.installedProgram ? installed : MERIDANE_PLAN_EXE);
        EXPECT_EQ(o.status, 0) << c.place << "\n" << o.err;
        fs::remove(c.place);
    }

    Outcome none = Plan("AAAA BBBB", "plan.out", "", installed);
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");
    for (const std::string& place : {dir + "/VORS.MDB", dir + "/xdg/meridane/VORS.MDB",
                                     dir + "/prefix/share/meridane/VORS.MDB"})
        EXPECT_NE(none.err.find("\n  " + place + "\n"), std::string::npos) << place << " in\n" << none.err;
    EXPECT_NE(none.err.find("--db PATH"), std::string::npos) << none.err;
}

// Data files from a directory of the test's own ($MERIDANE_DATA_DIR), each
// a copy of the shipped one changed by `edit`, the others as shipped.
class PlanDataFilesTest : public PlanCommandTest {
protected:
    void Ship(const std::string& relative, const std::function<std::string(std::string)>& edit)
    {
        const std::filesystem::path path = "data/" + relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            << edit(ReadWholeFile(std::string(MERIDANE_NAVDATA_DIR) + "/" + relative));
    }
    Outcome PlanWithData(const std::string& args) { return Plan(args, "plan.out", "MERIDANE_DATA_DIR=\"$PWD/data\""); }
};

TEST_F(PlanDataFilesTest, ADateOutsideTheMagneticModelsYearsIsSaidAndADamagedModelNamed)
{
    const auto epoch = [](const char* year) {
        return [year](std::string text) { return text.replace(text.find("2025.0"), 6, year); };
    };
    Ship("wmm/WMM2025.COF", epoch("2020.0"));  // held until 2025.0: today is past it
    Outcome legs = PlanWithData("--format legs AAAA BBBB");
    ASSERT_EQ(legs.status, 0) << legs.err;
    EXPECT_NE(legs.out.find("\nNote: "), std::string::npos) << legs.out;
    EXPECT_NE(legs.out.find("WMM-2025 (2020.0 to 2025.0): its magnetic figures are extrapolated\n"),
              std::string::npos)
        << legs.out;
    Outcome json = PlanWithData("--format json AAAA BBBB");
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_NE(nlohmann::json::parse(json.out).value("magnetic_note", "").find("extrapolated"), std::string::npos);

    Ship("wmm/WMM2025.COF", epoch("1e300"));
    Outcome damaged = PlanWithData("--format legs AAAA BBBB");
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.err.find("magnetic model file " + m_dir->path() + "/data/wmm/WMM2025.COF is damaged"),
              std::string::npos)
        << damaged.err;
    EXPECT_EQ(damaged.out, "");
}

TEST_F(PlanDataFilesTest, TheExtremeSpeedsGiveFiniteTimesAndTheSmallestMapIsDrawn)
{
    // 178.2 nm: 10,692 minutes at one knot, 5.3 at 2,000.
    const struct {
        const char* knots;
        double minutes, tolerance;
    } cases[] = {{"1", 10692.0, 20.0}, {"2000", 5.35, 0.06}};
    for (const auto& c : cases) {
        Outcome o = Plan(std::string("--format json --speed ") + c.knots + " AAAA BBBB");
        ASSERT_EQ(o.status, 0) << o.err;
        const double minutes = nlohmann::json::parse(o.out)["total_min"].get<double>();
        EXPECT_NEAR(minutes, c.minutes, c.tolerance) << c.knots;
        // The leg table's total as hours and minutes, each a plain figure.
        Outcome legs = Plan(std::string("--format legs --speed ") + c.knots + " AAAA BBBB");
        const std::size_t total = legs.out.find("\nTotal ");
        ASSERT_NE(total, std::string::npos) << legs.out;
        int hours = -1, mins = -1;
        ASSERT_EQ(std::sscanf(legs.out.c_str() + total, "\nTotal %*f nm, %d:%d at", &hours, &mins), 2) << legs.out;
        EXPECT_NEAR(hours * 60 + mins, minutes, 1.0) << legs.out;
        EXPECT_TRUE(mins >= 0 && mins < 60) << legs.out;
    }
    EXPECT_EQ(Plan("--map small.png --map-size 100x100 AAAA BBBB").status, 0);
    EXPECT_EQ(ReadWholeFile("small.png").substr(16, 8), std::string("\0\0\0\x64\0\0\0\x64", 8));  // IHDR 100 by 100
}

TEST_F(PlanDataFilesTest, OutlinesNestedDeepAreDrawnAndDamagedOnesNamed)
{
    const int depth = 300000;
    const auto nested = [depth](const char* innermost) {
        return [depth, innermost](std::string) {
            std::string text = R"({"type":"Topology","arcs":[[[0,0],[10,0],[10,10],[0,0]]],"objects":{"land":)";
            for (int i = 0; i < depth; ++i)
                text += R"({"type":"GeometryCollection","geometries":[)";
            text += innermost;
            for (int i = 0; i < depth; ++i)
                text += "]}";
            return text + "}}";
        };
    };
    Ship("naturalearth/land-110m.json", nested(R"({"type":"Polygon","arcs":[[0]]})"));
    for (const char* file : {"naturalearth/land-50m.json", "naturalearth/countries-50m.json"})
        Ship(file, [](std::string text) { return text; });
    Outcome deep = PlanWithData("--map deep.svg AAAA BBBB");
    EXPECT_EQ(deep.status, 0) << deep.err;
    EXPECT_NE(ReadWholeFile("deep.svg").find(">N1</text>"), std::string::npos);

    Ship("naturalearth/land-110m.json", nested(R"({"type":"Polygon","arcs":[[3]]})"));
    Outcome damaged = PlanWithData("--map damaged.svg AAAA BBBB");
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.err.find("outlines file " + m_dir->path() + "/data/naturalearth/land-110m.json is damaged"),
              std::string::npos)
        << damaged.err;
    EXPECT_FALSE(std::ifstream("damaged.svg").good());
}

TEST_F(PlanCommandTest, NoOutputTakesThePlaceOfTheDatabaseOrOfADevice)
{
    const std::string database = ReadWholeFile("VORS.MDB");
    ASSERT_EQ(symlink("VORS.MDB", "course.txt"), 0);
    ASSERT_EQ(symlink("VORS.MDB", "plan.fms"), 0);
    ASSERT_EQ(link("VORS.MDB", "route.png"), 0);
    ASSERT_EQ(symlink("/dev/full", "full.svg"), 0);
    ASSERT_EQ(symlink("/dev/full", "full.gpx"), 0);
    struct Case {
        const char* args;
        const char* named;
    } cases[] = {
        {"--report AAAA BBBB", "course.txt"},
        {"--export plan.fms AAAA BBBB", "plan.fms"},
        {"--map route.png AAAA BBBB", "route.png"},
        {"--map full.svg AAAA BBBB", "full.svg"},
        {"--export full.gpx AAAA BBBB", "full.gpx"},
    };
    for (const Case& c : cases) {
        Outcome o = Plan(c.args);
        EXPECT_EQ(o.status, 1) << c.args;
        EXPECT_NE(o.err.find(c.named), std::string::npos) << o.err;
    }
    EXPECT_EQ(ReadWholeFile("VORS.MDB"), database);
    struct stat info {};
    for (const char* name : {"course.txt", "plan.fms", "full.svg", "full.gpx"}) {
        ASSERT_EQ(lstat(name, &info), 0);
        EXPECT_TRUE(S_ISLNK(info.st_mode)) << name;
    }
}

// The fixture's beacons lie 59 nm apart on the way: with the standard ranges
// of low beacons (40 nm) the first and last legs keep 19 nm out of reach;
// with the simulator's 70 nm every leg is covered.
TEST_F(PlanCommandTest, TheBestCoveredRouteItsCoverageAndTheComparison)
{
    ExecuteSqlScript("VORS.MDB", "INSERT INTO nav_coverage VALUES (1,'L',70),(2,'L',70);");
    Outcome o = Plan("--route best --format json --cruise 4500 AAAA BBBB");
    ASSERT_EQ(o.status, 0) << o.err;
    auto plan = nlohmann::json::parse(o.out);
    EXPECT_EQ(plan["route_kind"], "best");
    EXPECT_EQ(plan["ranges"], "standard");
    EXPECT_EQ(plan["route"], "AAAA DCT N1 DCT N2 BBBB");
    std::vector<std::string> kinds;
    double uncovered = 0.0;
    for (const auto& point : plan["waypoints"])
        kinds.push_back(point["ident"].get<std::string>() + ":" + point["kind"].get<std::string>());
    for (const auto& leg : plan["legs"])
        uncovered += leg["uncovered_nm"].get<double>();
    EXPECT_EQ(kinds, (std::vector<std::string>{"AAAA:airport", "N1:vor", "N2:vor", "BBBB:airport"}));
    EXPECT_EQ(plan["waypoints"][0]["range_nm"], nullptr);
    EXPECT_EQ(plan["waypoints"][1]["range_nm"], 40.0);
    EXPECT_EQ(plan["legs"][0]["changeover_nm"], nullptr);
    EXPECT_NEAR(plan["legs"][1]["changeover_nm"].get<double>(), plan["legs"][1]["distance_nm"].get<double>() / 2, 0.1);
    EXPECT_NEAR(plan["uncovered_nm"].get<double>(), uncovered, 0.15);
    EXPECT_NEAR(uncovered, 2 * 19.3, 1.0);
    EXPECT_NE(o.err.find("No VOR reaches between"), std::string::npos) << o.err;

    o = Plan("--route best --ranges simulator --cruise 4500 AAAA BBBB");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.out.find("every leg covered"), std::string::npos) << o.out;
    EXPECT_EQ(o.out.find("no VOR for"), std::string::npos) << o.out;

    o = Plan("--compare --cruise 4500 AAAA BBBB");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.out.find("Listed AAAA DCT N1 DCT N2 BBBB"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("Best   AAAA DCT N1 DCT N2 BBBB"), std::string::npos) << o.out;

    for (const char* usage : {"--route best AAAA AAAA", "--route shortest AAAA BBBB", "--ranges faa AAAA BBBB",
                              "--route best --format tsv AAAA BBBB"})
        EXPECT_EQ(Plan(usage).status, 2) << usage;
}

// Two HH-class NDBs (75 nm) half a degree inside each airport close the
// gaps the VORs leave; the VOR-only route stays the default.
TEST_F(PlanCommandTest, TheBestRouteWithNdbs)
{
    ExecuteSqlScript("VORS.MDB",
                     NavRow(3, "West Beacon", "N", 10, 0, "E", 10, 50, "NDB", "338.0") +
                         NavRow(4, "East Beacon", "N", 10, 0, "E", 12, 50, "NDB-DME", "415.5") +
                         "INSERT INTO nav_facts VALUES (3,10.0,10.5,'XX',NULL),(4,10.0,12.5,'XX',NULL);"
                         "UPDATE nav_idents SET Ident='WB' WHERE ID=3; UPDATE nav_idents SET Ident='EB' WHERE ID=4;"
                         "INSERT INTO nav_coverage VALUES (1,'L',70),(2,'L',70);"
                         "INSERT INTO ndb_coverage VALUES (3,'HH',NULL),(4,'HH',NULL);");
    Outcome o = Plan("--route best --format json --cruise 4500 AAAA BBBB");
    ASSERT_EQ(o.status, 0) << o.err;
    auto plan = nlohmann::json::parse(o.out);
    EXPECT_EQ(plan["navaids"], "vor");
    EXPECT_GT(plan["uncovered_nm"].get<double>(), 30.0);

    o = Plan("--route best --navaids vor+ndb --format json --cruise 4500 AAAA BBBB");
    ASSERT_EQ(o.status, 0) << o.err;
    plan = nlohmann::json::parse(o.out);
    EXPECT_EQ(plan["navaids"], "vor+ndb");
    EXPECT_EQ(plan["uncovered_nm"], 0.0);
    EXPECT_EQ(plan["route"], "AAAA DCT WB DCT EB BBBB");
    EXPECT_EQ(plan["waypoints"][1]["kind"], "ndb");
    EXPECT_EQ(plan["waypoints"][1]["frequency_khz"], 338.0);
    EXPECT_EQ(plan["waypoints"][2]["range_nm"], 75.0);
    EXPECT_EQ(plan["legs"][0]["radio"], "adf");

    o = Plan("--route best --navaids vor+ndb --cruise 4500 AAAA BBBB");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.out.find("ADF 415.5"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("EB QDM "), std::string::npos) << o.out;

    o = Plan("--compare --navaids vor+ndb --cruise 4500 AAAA BBBB");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.out.find("Best by VOR and NDB"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("Best   AAAA DCT WB DCT EB BBBB"), std::string::npos) << o.out;

    // Under simulator ranges NDBs the simulator lacks reach nowhere.
    o = Plan("--route best --navaids vor+ndb --ranges simulator --format json --cruise 4500 AAAA BBBB");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(nlohmann::json::parse(o.out)["route"], "AAAA DCT N1 DCT N2 BBBB");

    for (const char* usage : {"--navaids ndb AAAA BBBB", "--navaids VOR AAAA BBBB", "--navaids AAAA BBBB"})
        EXPECT_EQ(Plan(usage).status, 2) << usage;
}

// Without --cruise the best route is searched at the listed route's cruise
// or higher: N1 stands on a 6,000 ft ridge, so the listed route (over it)
// cruises at 7,500 ft; searched from the airports alone (1,500 ft) the best
// route would fly lower, below what N1 needs.
TEST_F(PlanCommandTest, TheBestRouteNeverCruisesLowerNorLeavesMoreUncoveredThanTheListedOne)
{
    ExecuteSqlScript("VORS.MDB", "UPDATE navs SET Elevation='6000' WHERE ID=1;"
                                 "INSERT INTO nav_coverage VALUES (1,'L',70),(2,'L',70);");
    for (const char* ranges : {"standard", "simulator"}) {
        SCOPED_TRACE(ranges);
        const Outcome o = Plan(std::string("--compare --format json --ranges ") + ranges + " AAAA BBBB");
        ASSERT_EQ(o.status, 0) << o.err;
        const auto both = nlohmann::json::parse(o.out);
        EXPECT_EQ(both["listed"]["route_kind"], "listed");
        EXPECT_EQ(both["best"]["route_kind"], "best");
        EXPECT_EQ(both["listed"]["cruise_ft"], 7500);
        EXPECT_GE(both["best"]["cruise_ft"].get<int>(), 7500);
        EXPECT_LE(both["best"]["uncovered_nm"].get<double>(), both["listed"]["uncovered_nm"].get<double>());
        // The best route alone is the same plan as in the comparison.
        const Outcome alone = Plan(std::string("--route best --format json --ranges ") + ranges + " AAAA BBBB");
        ASSERT_EQ(alone.status, 0) << alone.err;
        EXPECT_EQ(nlohmann::json::parse(alone.out), both["best"]);
    }
    EXPECT_EQ(Plan("--compare --format tsv AAAA BBBB").status, 2);
}

// Simulator ranges need a database that has them; a beacon missing from the
// simulator's data (N2 has no range there) is silent, and every output
// says why.
TEST_F(PlanCommandTest, SimulatorRangesFromADatabaseWithoutThemOrForABeaconTheSimulatorLacks)
{
    for (const char* options : {"--ranges simulator --format json", "--ranges simulator --route best",
                                "--ranges simulator --compare"}) {
        const Outcome none = Plan(std::string(options) + " AAAA BBBB");
        EXPECT_EQ(none.status, 1) << options;
        EXPECT_NE(none.err.find("no simulator ranges"), std::string::npos) << options << ": " << none.err;
        EXPECT_NE(none.err.find("import it again"), std::string::npos) << options << ": " << none.err;
    }
    EXPECT_EQ(Plan("--format json AAAA BBBB").status, 0);  // the standard ranges need none

    ExecuteSqlScript("VORS.MDB", "INSERT INTO nav_coverage VALUES (1,'L',70),(2,'L',NULL);");
    const Outcome legs = Plan("--ranges simulator --format legs AAAA BBBB");
    ASSERT_EQ(legs.status, 0) << legs.err;
    EXPECT_NE(legs.out.find("N2 not in the simulator's data"), std::string::npos) << legs.out;
    EXPECT_NE(legs.out.find("N2: not in the simulator's data, so not receivable there"), std::string::npos) << legs.out;
    const auto json = nlohmann::json::parse(Plan("--ranges simulator --format json AAAA BBBB").out);
    EXPECT_EQ(json["waypoints"][2]["ident"], "N2");
    EXPECT_EQ(json["waypoints"][2]["range_nm"], 0.0);
    EXPECT_EQ(json["waypoints"][2]["range_note"], "not in the simulator's data");
    EXPECT_FALSE(json["waypoints"][1].contains("range_note"));
}

TEST_F(PlanCommandTest, WindFuelAndPaperOptions)
{
    // Malformed values are usage errors, found before any search.
    const struct {
        const char* options;
        const char* named;
    } usage[] = {
        {"--wind 270", "--wind"},        {"--wind 361/10", "--wind"},      {"--wind 270/-5", "--wind"},
        {"--wind 270/10/5", "--wind"},   {"--wind 270/ten", "--wind"},     {"--fuel-burn abc", "--fuel-burn"},
        {"--fuel-burn -1", "--fuel-burn"}, {"--paper b5", "paper"},        {"--wind", "--wind"},
        {"--wind 270/400.5", "0 to 400"}, {"--wind 270/1e308", "--wind"},  {"--wind 000/999", "--wind"},
    };
    for (const auto& c : usage) {
        const Outcome o = Plan(std::string(c.options) + " --format legs AAAA BBBB");
        EXPECT_EQ(o.status, 2) << c.options;
        EXPECT_NE(o.err.find(c.named), std::string::npos) << c.options << ": " << o.err;
    }
    // Eastbound at 110 kt into an easterly as fast: the first leg cannot be flown.
    // Whatever the output: the route rows do not show the wind, but it is
    // checked all the same. A wind the aircraft can fly passes there.
    for (const char* format : {"legs", "table", "tsv"}) {
        const Outcome impossible = Plan(std::string("--format ") + format + " --wind 090/110 AAAA BBBB");
        EXPECT_EQ(impossible.status, 1) << format;
        EXPECT_NE(impossible.err.find("from AAAA to N1"), std::string::npos) << format << ": " << impossible.err;
        EXPECT_EQ(impossible.out, "") << format;
        const Outcome possible = Plan(std::string("--format ") + format + " --wind 270/20 AAAA BBBB");
        EXPECT_EQ(possible.status, 0) << format << ": " << possible.err;
        EXPECT_NE(possible.out.find(std::string(format) == "legs" ? "N2" : "Two"), std::string::npos) << format;
    }
    // A wind as fast as a slow aircraft, from ahead of the beam: no ground
    // speed, and no time of billions of hours.
    const Outcome crawl = Plan("--format legs --speed 50 --wind 045/50 AAAA BBBB");
    EXPECT_EQ(crawl.status, 1) << crawl.out;
    EXPECT_NE(crawl.err.find("less than 1 kt over the ground"), std::string::npos) << crawl.err;
    // North is 0 or 360 alike; a westerly behind the aircraft shortens the time.
    const Outcome north = Plan("--format json --wind 0/20 AAAA BBBB");
    ASSERT_EQ(north.status, 0) << north.err;
    EXPECT_EQ(nlohmann::json::parse(north.out)["legs"],
              nlohmann::json::parse(Plan("--format json --wind 360/20 AAAA BBBB").out)["legs"]);
    const auto tail = nlohmann::json::parse(Plan("--format json --speed 100 --wind 270/20 --fuel-burn 10 AAAA BBBB").out);
    const auto still = nlohmann::json::parse(Plan("--format json --speed 100 AAAA BBBB").out);
    EXPECT_EQ(still["wind"], nullptr);
    EXPECT_FALSE(still.contains("fuel_total"));
    EXPECT_EQ(still["ground_speed_kt"], 100.0);
    EXPECT_NEAR(tail["ground_speed_kt"].get<double>(), 120.0, 1.0);
    EXPECT_NEAR(tail["total_min"].get<double>(), still["total_min"].get<double>() * 100.0 / 120.0, 1.0);
    EXPECT_NEAR(tail["fuel_with_reserve"].get<double>(), tail["total_min"].get<double>() / 6.0 + 7.5, 0.11);

    const Outcome pdf = Plan("--export navlog.pdf --paper half-letter --wind 270/20 AAAA BBBB");
    ASSERT_EQ(pdf.status, 0) << pdf.err;
    EXPECT_EQ(ReadWholeFile("navlog.pdf").rfind("%PDF-", 0), 0u);
}

// Every option with a limit, at each end, just inside and just outside: the
// ends are taken, a hair beyond them is a usage error naming the option.
TEST_F(PlanCommandTest, EveryLimitedOptionAtAndAroundItsEnds)
{
    const struct {
        const char* option;
        const char* value;
        bool taken;
    } cases[] = {
        {"--speed", "1", true},           {"--speed", "1.01", true},         {"--speed", "0.99", false},
        {"--speed", "2000", true},        {"--speed", "1999.99", true},      {"--speed", "2000.01", false},
        {"--cruise", "0", true},          {"--cruise", "1", true},           {"--cruise", "-1", false},
        {"--cruise", "60000", true},      {"--cruise", "59999", true},       {"--cruise", "60001", false},
        {"--cruise", "8500.5", false},    {"--fuel-burn", "0", true},        {"--fuel-burn", "0.01", true},
        {"--fuel-burn", "-0.01", false},  {"--fuel-burn", "1000000", true},  {"--fuel-burn", "999999.99", true},
        {"--fuel-burn", "1000000.01", false},
        {"--wind", "0/0", true},          {"--wind", "360/0", true},         {"--wind", "360.01/10", false},
        {"--wind", "-0.01/10", false},    {"--wind", "270/-0.01", false},
        {"--map-size", "100x100", true},  {"--map-size", "101x16384", true}, {"--map-size", "99x100", false},
        {"--map-size", "16384x6103", true}, {"--map-size", "16385x100", false}, {"--map-size", "16384x6104", false},
    };
    for (const auto& c : cases) {
        const std::string extra = std::string(c.option) == "--map-size" ? " --map route.svg" : "";
        const Outcome o = Plan(std::string(c.option) + " " + c.value + extra + " --format legs AAAA BBBB");
        EXPECT_EQ(o.status, c.taken ? 0 : 2) << c.option << " " << c.value << "\n" << o.err;
        if (!c.taken) {
            EXPECT_NE(o.err.find(std::string(c.option) + " needs"), std::string::npos) << o.err;
            EXPECT_NE(o.err.find(std::string("not '") + c.value + "'"), std::string::npos) << o.err;
        }
    }
}
