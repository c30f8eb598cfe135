#include "FixtureDb.h"
#include "SearchFixture.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

std::string Slurp(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs meridane-plan in the current directory.
Outcome Plan(const std::string& args, const std::string& standardOutput = "plan.out")
{
    std::string command = std::string("'") + MERIDANE_PLAN_EXE + "' " + args + " >" + standardOutput + " 2>plan.err";
    int raw = std::system(command.c_str());
    Outcome outcome{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp("plan.out"), Slurp("plan.err")};
    std::remove("plan.out");
    std::remove("plan.err");
    return outcome;
}

class PlanCommandTest : public NavDbTest {
protected:
    void SetUp() override
    {
        NavDbTest::SetUp();
        Build(AirportRow(1, "AAAA", "Start", "N", 10, 0, "E", 10, 0) +
              AirportRow(2, "BBBB", "Goal", "N", 10, 0, "E", 13, 0) +
              AirportRow(3, "CCCC", "Lonely", "N", 50, 0, "W", 100, 0) +
              NavRow(1, "One", "N", 10, 10, "E", 11, 0, "VOR", "-1.0", "120") +
              NavRow(2, "Two", "N", 10, 0, "E", 12, 0, "VOR", "113.1", "45") +
              "INSERT INTO airport_facts VALUES (1,10.0,10.0,'AAA','XX'),(2,10.0,13.0,NULL,'XX'),"
              "(3,50.0,-100.0,NULL,'XX');"
              "INSERT INTO nav_facts VALUES (1,10.1,11.0,'XX',-2.0),(2,10.0,12.0,'XX',NULL);");
    }
};

}  // namespace

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
    std::string report = Slurp("course.txt");
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

TEST_F(PlanCommandTest, TheFlightPlanAsJsonRouteStringAndFiles)
{
    MERIDANE_REQUIRE_NAVDATA();
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
    EXPECT_NE(Slurp("plan.gpx").find("<name>N2</name>"), std::string::npos);
    EXPECT_EQ(Plan("--map route.svg --map-size 400x300 AAAA BBBB").status, 0);
    EXPECT_NE(Slurp("route.svg").find(">N1</text>"), std::string::npos);

    EXPECT_EQ(Plan("--route-string CCCC AAAA").out, "CCCC DCT AAAA\n");
    // A file name without a known format is refused before any search.
    Outcome bad = Plan("--export plan.doc --export plan.fms AAAA BBBB");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("plan.doc"), std::string::npos) << bad.err;
    EXPECT_FALSE(std::ifstream("plan.fms").good());
    EXPECT_EQ(Plan("--map route.pdf --export plan.fms AAAA BBBB").status, 2);
    EXPECT_FALSE(std::ifstream("plan.fms").good());
}
