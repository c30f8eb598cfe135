// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/DBException.h"
#include "tests/support/FixtureDb.h"
#include "route/Position.h"
#include "data/Recordset.h"
#include "route/RouteSearch.h"
#include "route/RowSink.h"

#include <gtest/gtest.h>

namespace {

// Records the try index of every candidate query, in order.
class RecordingSearch : public RouteSearch {
public:
    using RouteSearch::RouteSearch;
    std::vector<int> tries;

    std::unique_ptr<CRecordset> QueryCandidateBeacons(const std::string& currentID,
                                                      const std::string& destinationID, const std::string& table,
                                                      int tryIndex) override
    {
        tries.push_back(tryIndex);
        return RouteSearch::QueryCandidateBeacons(currentID, destinationID, table, tryIndex);
    }
};

// A route list that refuses to grow past any route a fixture can hold, so a
// search that chooses the beacon it came from fails at once instead of
// looping until the time-out.
class BoundedRowList : public RowList {
public:
    BoundedRowList() : RowList(ROUTE_COLUMNS) {}
    int InsertItem(int index, const std::string& text) override
    {
        if (GetItemCount() >= 50)
            throw std::runtime_error("the route does not end");
        return RowList::InsertItem(index, text);
    }
};

class RouteSearchTest : public NavDbTest {
protected:
    // Runs the search from airport 1 to airport 2; returns the route names.
    std::vector<std::string> Route(const std::string& from = "1", const std::string& to = "2")
    {
        m_route.DeleteAllItems();
        m_search = std::make_unique<RecordingSearch>(db(), from, to, m_route);
        m_search->Run();
        return Names();
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& row : m_route.Rows())
            names.push_back(row[0]);
        return names;
    }
    std::vector<int>& Tries() { return m_search->tries; }

    BoundedRowList m_route;
    std::unique_ptr<RecordingSearch> m_search;
};

const std::vector<int> ALL_TRIES = {0, 1, 2, 3, 4, 5, 6, 1, 2, 3, 4, 5, 6};

}  // namespace

// The query text character for character, from the worked example on: a
// destination below on both axes turns the clause order round, equal
// degrees order them as for a destination above, a box reaching the 180th
// meridian takes the degrees across it, and 0° spans both hemispheres with
// a negative bound.
TEST(CandidateQuery, TextCharacterForCharacter)
{
    struct Case {
        const char* latDir;
        int latMajor;
        const char* longDir;
        int longMajor, destinationLat, destinationLong, tryIndex;
        const char* text;
    };
    const Case cases[] = {
        {"N", 25, "W", 80, 28, 77, 1,
         "SELECT * FROM navs WHERE LatMajor<=26 AND LongMajor>=79 AND LatMajor>=24 AND LongMajor<=81"
         " AND type='VOR' AND LatDir='N' AND LongDir='W'"},
        {"S", 30, "E", 20, 10, 10, 3,
         "SELECT * FROM navs WHERE LatMajor>=27 AND LongMajor>=17 AND LatMajor<=33 AND LongMajor<=23"
         " AND type='VOR' AND LatDir='S' AND LongDir='E'"},
        {"N", 25, "W", 80, 25, 80, 1,
         "SELECT * FROM navs WHERE LatMajor<=26 AND LongMajor<=81 AND LatMajor>=24 AND LongMajor>=79"
         " AND type='VOR' AND LatDir='N' AND LongDir='W'"},
        {"N", 10, "W", 178, 10, 170, 1,
         "SELECT * FROM navs WHERE LatMajor<=11 AND LongMajor>=177 AND LatMajor>=9 AND LongMajor<=179"
         " AND type='VOR' AND LatDir='N' AND LongDir='W'"},
        {"N", 10, "W", 178, 10, 170, 2,
         "SELECT * FROM navs WHERE LatMajor<=12 AND LongMajor>=176 AND LatMajor>=8 AND LongMajor<=180"
         " AND type='VOR' AND LatDir='N' AND (LongDir='W' OR (LongDir='E' AND LongMajor>=179))"},
        {"S", 10, "E", 179, 10, 170, 2,
         "SELECT * FROM navs WHERE LatMajor<=12 AND LongMajor>=177 AND LatMajor>=8 AND LongMajor<=181"
         " AND type='VOR' AND LatDir='S' AND (LongDir='E' OR (LongDir='W' AND LongMajor>=178))"},
        {"N", 0, "W", 5, 3, 9, 1,
         "SELECT * FROM navs WHERE LatMajor<=1 AND LongMajor<=6 AND LatMajor>=-1 AND LongMajor>=4"
         " AND type='VOR' AND LongDir='W'"},
        {"S", 7, "E", 0, 3, 0, 2,
         "SELECT * FROM navs WHERE LatMajor>=5 AND LongMajor<=2 AND LatMajor<=9 AND LongMajor>=-2"
         " AND type='VOR' AND LatDir='S'"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CandidateQueryText(c.latDir, c.latMajor, c.longDir, c.longMajor, c.destinationLat,
                                     c.destinationLong, c.tryIndex),
                  c.text)
            << c.latDir << c.latMajor << " " << c.longDir << c.longMajor << " try " << c.tryIndex;
    }
}

TEST(CandidateQuery, BoxWidensOnlyWhileTheDestinationIsFartherThanIt)
{
    EXPECT_EQ(CandidateHalfWidth(0, 5000.0), 1);
    EXPECT_EQ(CandidateHalfWidth(1, 5000.0), 2);
    EXPECT_EQ(CandidateHalfWidth(6, 5000.0), 7);
    EXPECT_EQ(CandidateHalfWidth(2, 3 * NM_PER_DEGREE), 1);  // strictly farther only
    EXPECT_EQ(CandidateHalfWidth(2, 3 * NM_PER_DEGREE + 0.001), 3);
}

TEST_F(RouteSearchTest, DepartureEqualToDestinationGivesAnEmptyRoute)
{
    Build(AirportRow(1, "AAA", "Here", "N", 10, 0, "E", 10, 0) + NavRow(1, "Close", "N", 10, 20, "E", 10, 20));
    EXPECT_TRUE(Route("1", "1").empty());
}

TEST_F(RouteSearchTest, NoVorAnywhereRunsThirteenCandidateQueries)
{
    Build(AirportRow(1, "AAA", "Here", "N", 10, 0, "E", 10, 0) + AirportRow(2, "BBB", "There", "N", 30, 0, "E", 30, 0) +
          NavRow(1, "An NDB", "N", 10, 20, "E", 10, 20, "NDB"));
    EXPECT_TRUE(Route().empty());
    EXPECT_EQ(Tries(), ALL_TRIES);
}

TEST_F(RouteSearchTest, ChainsBeaconsEachStrictlyNearerTheDestination)
{
    Build(AirportRow(1, "AAA", "Start", "N", 10, 0, "E", 10, 0) + AirportRow(2, "BBB", "Goal", "N", 10, 0, "E", 13, 0) +
          NavRow(1, "One", "N", 10, 10, "E", 11, 0) + NavRow(2, "Two", "N", 10, 0, "E", 12, 0) +
          NavRow(3, "Behind", "N", 10, 0, "E", 9, 50) + NavRow(4, "Far side", "N", 10, 0, "E", 14, 0) +
          NavRow(5, "Not a VOR", "N", 10, 0, "E", 11, 50, "NDB"));
    EXPECT_EQ(Route(), (std::vector<std::string>{"One", "Two"}));
}

TEST_F(RouteSearchTest, ACandidateExactlyAsFarFromTheDestinationIsRejected)
{
    // Goal lies half a degree east; the beacon half a degree beyond it.
    Build(AirportRow(1, "AAA", "Start", "N", 10, 0, "E", 10, 0) + AirportRow(2, "BBB", "Goal", "N", 10, 0, "E", 10, 50) +
          NavRow(1, "Beyond", "N", 10, 0, "E", 11, 0));
    EXPECT_TRUE(Route().empty());
    // Last examined lies within R of the goal: the step ends without widening.
    EXPECT_EQ(Tries(), (std::vector<int>{0}));

    ExecuteSqlScript("VORS.MDB", "UPDATE navs SET LongMajor=10, LongMinor=99 WHERE ID=1;");  // nearer
    EXPECT_EQ(Route(), (std::vector<std::string>{"Beyond"}));
}

TEST_F(RouteSearchTest, FirstScanAtTryTwoStartsAt120AndWidensBy20)
{
    // Only beacon: 3 degrees north (180.18 nm); the goal is far off.
    Build(AirportRow(1, "AAA", "Start", "N", 10, 0, "E", 10, 0) + AirportRow(2, "BBB", "Goal", "N", 30, 0, "E", 30, 0) +
          NavRow(1, "North", "N", 13, 0, "E", 10, 0));
    EXPECT_EQ(Route(), (std::vector<std::string>{"North"}));
    // First phase 0,1,2 (R 80..120); widening 1 (140, box 2 empty), 2 (160),
    // 3 (180, still short of 180.18), 4 (200) accepts. Then from the beacon:
    // its box holds only itself, so L stays 500 and all tries run.
    std::vector<int> expected = {0, 1, 2, 1, 2, 3, 4, 0, 1, 2, 3, 4, 5, 6};
    EXPECT_EQ(Tries(), expected);
}

TEST_F(RouteSearchTest, TheCurrentBeaconIsSkippedButAnAirportIDNeverIs)
{
    // navs 1 shares its ID with the departure airport and is still a candidate.
    Build(AirportRow(1, "AAA", "Start", "N", 10, 0, "E", 10, 0) + AirportRow(2, "BBB", "Goal", "N", 10, 0, "E", 20, 0) +
          NavRow(1, "Same ID", "N", 10, 0, "E", 10, 50));
    EXPECT_EQ(Route(), (std::vector<std::string>{"Same ID"}));
    // From the beacon only itself is in the box: skipped, so L stays 500.0
    // and the step widens through every try instead of ending at once.
    std::vector<int> expected = {0, 0, 1, 2, 3, 4, 5, 6};
    EXPECT_EQ(Tries(), expected);
}

TEST_F(RouteSearchTest, EqualScoresGoToTheBeaconReturnedFirst)
{
    std::string airports =
        AirportRow(1, "AAA", "Start", "N", 10, 0, "E", 10, 0) + AirportRow(2, "BBB", "Goal", "N", 10, 0, "E", 12, 0);
    Build(airports + NavRow(1, "South", "N", 9, 50, "E", 11, 0) + NavRow(2, "North", "N", 10, 50, "E", 11, 0));
    EXPECT_EQ(Route()[0], "South");
    ExecuteSqlScript("VORS.MDB", "DELETE FROM navs;" + NavRow(1, "North", "N", 10, 50, "E", 11, 0) +
                                     NavRow(2, "South", "N", 9, 50, "E", 11, 0));
    EXPECT_EQ(Route()[0], "North");
}

TEST_F(RouteSearchTest, ZeroDegreeLatitudeFindsBeaconsAcrossTheEquator)
{
    Build(AirportRow(1, "AAA", "Start", "N", 0, 30, "E", 10, 0) + AirportRow(2, "BBB", "Goal", "S", 3, 0, "E", 10, 0) +
          NavRow(1, "South of line", "S", 0, 40, "E", 10, 0));
    EXPECT_EQ(Route(), (std::vector<std::string>{"South of line"}));
}

TEST_F(RouteSearchTest, AFailureMidRouteKeepsTheRowsAlreadyAppended)
{
    Build(AirportRow(1, "AAA", "Start", "N", 10, 0, "E", 10, 0) + AirportRow(2, "BBB", "Goal", "N", 10, 0, "E", 16, 0) +
          NavRow(1, "First", "N", 10, 0, "E", 11, 0) + NavRow(2, "Damaged", "N", 10, 0, "E", 12, 0) +
          "UPDATE navs SET LatMinor='x' WHERE ID=2;");
    EXPECT_THROW(Route(), CDBException);
    EXPECT_EQ(Names(), (std::vector<std::string>{"First"}));
}

TEST_F(RouteSearchTest, RouteRowCellsAreFormedFromTheBeaconAndBothDistances)
{
    Build(AirportRow(1, "AAA", "Start", "N", 10, 0, "E", 10, 0) + AirportRow(2, "BBB", "Goal", "N", 11, 0, "E", 10, 0) +
          NavRow(1, "At start", "N", 10, 0, "E", 10, 0, "VOR", "-1.0", "1234") +
          NavRow(2, "Odd", "S", 0, 5, "W", 1, 25.5, "VOR", "'unknown'", "NULL"));
    RouteSearch search(db(), "1", "2", m_route);
    search.AddRouteRow("1");
    search.AddRouteRow("2");
    ASSERT_EQ(m_route.GetItemCount(), 2);
    EXPECT_EQ(m_route.Rows()[0],
              (std::vector<std::string>{"At start", "NA", "N10* 0.0'", "E10* 0.0'", "1234", "0.00", "60.06"}));
    const auto& odd = m_route.Rows()[1];
    EXPECT_EQ(odd[1], "unknown");
    EXPECT_EQ(odd[2], "S0* 5.0'");
    EXPECT_EQ(odd[3], "W1* 25.5'");
    EXPECT_EQ(odd[4], "");
    EXPECT_EQ(odd[5].substr(odd[5].size() - 3, 1), ".");
    EXPECT_THROW(search.AddRouteRow("99"), CDBException);
    EXPECT_EQ(m_route.GetItemCount(), 2);
}

TEST_F(RouteSearchTest, ARouteCrossesThe180thMeridian)
{
    Build(AirportRow(1, "AAA", "Start", "N", 10, 0, "W", 179, 50) + AirportRow(2, "BBB", "Goal", "N", 10, 0, "E", 178, 0) +
          NavRow(1, "East of line", "N", 10, 0, "E", 179, 50) + NavRow(2, "Further west", "N", 10, 0, "E", 178, 70));
    EXPECT_EQ(Route(), (std::vector<std::string>{"East of line", "Further west"}));
    EXPECT_EQ(m_route.Rows()[0][5], "60.06");
}

TEST_F(RouteSearchTest, SkippingTheCurrentBeaconKeepsTheStepGoing)
{
    // From One the goal lies within 80 nm. Were One itself measured, the
    // last distance would be that, and the step would end there; skipped,
    // the last is Decoy's, beyond R, so the step widens and reaches Two.
    Build(AirportRow(1, "AAA", "Start", "N", 10, 0, "E", 9, 50) + AirportRow(2, "BBB", "Goal", "N", 10, 0, "E", 11, 20) +
          NavRow(1, "Two", "N", 10, 90, "E", 11, 20) + NavRow(2, "Decoy", "N", 9, 0, "E", 9, 0) +
          NavRow(3, "One", "N", 10, 0, "E", 10, 0));
    EXPECT_EQ(Route(), (std::vector<std::string>{"One", "Two"}));
}

TEST_F(RouteSearchTest, TheLastDistanceCarriesIntoTheNextScan)
{
    // The first scan (try 2, three degrees) finds Far at 120.7 nm, just
    // beyond R = 120; the first widening (two degrees) finds nothing, and
    // Far's distance to the goal, 120.1, ends the step at R = 140.
    Build(AirportRow(1, "AAA", "Start", "N", 10, 0, "E", 10, 99) + AirportRow(2, "BBB", "Goal", "N", 10, 0, "E", 15, 0) +
          NavRow(1, "Far", "N", 10, 0, "E", 13, 0));
    EXPECT_TRUE(Route().empty());
    EXPECT_EQ(Tries(), (std::vector<int>{0, 1, 2, 1}));
}

TEST_F(RouteSearchTest, ExactlyRIsInRangeAndALastDistanceOfRStops)
{
    // These two points are exactly 80.0 nm apart.
    const std::string start = AirportRow(1, "AAA", "Start", "S", 0, 1.86043025e-07, "E", 0, 0);
    const std::string beacon = NavRow(1, "Exact", "N", 1, 33.1985931, "E", 0, 1.00027275);
    Build(start + AirportRow(2, "BBB", "Goal", "N", 3, 0, "E", 0, 0) + beacon);
    EXPECT_EQ(Route(), (std::vector<std::string>{"Exact"}));
    EXPECT_EQ(Tries(), (std::vector<int>{0, 0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(m_route.Rows()[0][5], "80.00");

    // Now the beacon is 80.0 from the goal and 98 from the departure: it is
    // out of range, and its distance to the goal equals R, so the step ends.
    ExecuteSqlScript("VORS.MDB", "DELETE FROM airports;" + AirportRow(1, "AAA", "Start", "N", 2, 0, "E", 1, 50) +
                                     AirportRow(2, "BBB", "Goal", "S", 0, 1.86043025e-07, "E", 0, 0));
    EXPECT_TRUE(Route().empty());
    EXPECT_EQ(Tries(), (std::vector<int>{0}));
}
