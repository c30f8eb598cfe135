// SPDX-License-Identifier: GPL-3.0-or-later
#include "flightplan/MagneticModel.h"
#include "flightplan/PlanError.h"
#include "planning/PlanBuilder.h"
#include "search/WaypointRows.h"

#include "tests/support/FixtureDb.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace flightplan;

namespace {

class PlanBuilderTest : public NavDbTest {
protected:
    PlanOptions options()
    {
        PlanOptions o;
        o.date = CivilDate{2025, 1, 1};
        return o;
    }
    FlightPlan buildPlan(const RouteIds& route) { return builder().buildPlan({route, options()}); }
    planning::PlanBuilder& builder()
    {
        if (!m_builder)
            m_builder = std::make_unique<planning::PlanBuilder>(
                *db(), [] { return MagneticModel::load(MERIDANE_WMM_TEST_FILE); });
        return *m_builder;
    }
    std::unique_ptr<planning::PlanBuilder> m_builder;
};

// The hundredths columns say 40.64/-73.78 and so on; the plan must carry
// the side tables' positions instead.
const char* const FACTS =
    "INSERT INTO airport_facts VALUES (1, 40.639801, -73.7789, 'JFK', 'US'), (2, 42.3643, -71.005203, NULL, 'US');"
    "INSERT INTO nav_facts VALUES (7, 41.313702, -72.692001, 'US', -14.25), (8, 41.8, -71.9, 'US', NULL);";

}  // namespace

TEST_F(PlanBuilderTest, TextsComeFromTheNavigationTablesAndPositionsFromTheFactTables)
{
    Build(AirportRow(1, "KAAA", "Alpha Field", "N", 40, 64.0, "W", 73, 78.0, "'North America','US','NY','A',13,128.725") +
          AirportRow(2, "KBBB", "Bravo", "N", 42, 36.0, "W", 71, 1.0) +
          NavRow(7, "Seven", "N", 41, 31.0, "W", 72, 69.0, "VOR", "110.4", "230") +
          NavRow(8, "Eight", "N", 41, 80.0, "W", 71, 90.0, "VOR", "113.1", "NULL") + FACTS);
    const FlightPlan plan = buildPlan(RouteIds{1, {7, 8}, 2});

    ASSERT_EQ(plan.waypoints.size(), 4u);
    const Waypoint& a = plan.waypoints[0];
    EXPECT_EQ(a.ident, "KAAA");
    EXPECT_EQ(a.name, "Alpha Field");
    EXPECT_NEAR(a.latitude, 40.639801, 1e-9);
    EXPECT_NEAR(a.longitude, -73.7789, 1e-9);
    EXPECT_EQ(a.frequency, "128.725");
    EXPECT_EQ(a.elevationFt, 13.0);
    const Waypoint& seven = plan.waypoints[1];
    EXPECT_EQ(seven.kind, WaypointKind::Vor);
    EXPECT_NEAR(seven.longitude, -72.692001, 1e-9);
    EXPECT_EQ(seven.frequency, "110.4");
    EXPECT_EQ(seven.declination, -14.25);
    EXPECT_FALSE(plan.waypoints[2].declination || plan.waypoints[2].elevationFt);
    EXPECT_FALSE(plan.waypoints[3].frequency);  // the database's -1.0
    EXPECT_EQ(plan.route, "KAAA DCT N7 DCT N8 KBBB");
}

// Databases imported before the beacons' idents moved to nav_idents.
TEST_F(PlanBuilderTest, BeaconIdentsAreReadFromNavsWhereADatabaseStillKeepsThemThere)
{
    Build(AirportRow(1, "KAAA", "Alpha", "N", 40, 64.0, "W", 73, 78.0) + AirportRow(2, "KBBB", "Bravo", "N", 42, 36.0, "W", 71, 1.0) +
          NavRow(7, "Seven", "N", 41, 31.0, "W", 72, 69.0) + NavRow(8, "Eight", "N", 41, 80.0, "W", 71, 90.0) + FACTS +
          "ALTER TABLE navs ADD COLUMN Ident TEXT;"
          "UPDATE navs SET Ident=(SELECT 'OLD' || Ident FROM nav_idents WHERE nav_idents.ID=navs.ID);"
          "DROP TABLE nav_idents;");
    EXPECT_EQ(buildPlan(RouteIds{1, {7, 8}, 2}).route, "KAAA DCT OLDN7 DCT OLDN8 KBBB");
    std::vector<std::string> idents;
    for (const Waypoint& vor : search::readAllVors(*db()))
        idents.push_back(vor.ident);
    EXPECT_EQ(idents, (std::vector<std::string>{"OLDN7", "OLDN8"}));
}

TEST_F(PlanBuilderTest, AMissingRowOrABadIdIsAnErrorNamingTheAirportOrBeacon)
{
    Build(AirportRow(1, "KAAA", "Alpha", "N", 40, 64.0, "W", 73, 78.0) + AirportRow(2, "KBBB", "Bravo", "N", 42, 36.0, "W", 71, 1.0) +
          AirportRow(3, "KCCC", "Charlie", "N", 42, 0.0, "W", 72, 0.0) + NavRow(7, "Seven", "N", 41, 31.0, "W", 72, 69.0) +
          "INSERT INTO airport_facts VALUES (1, 40.6, -73.7, NULL, NULL), (2, 42.3, -71.0, NULL, NULL);");
    const struct {
        RouteIds route;
        std::vector<const char*> words;
    } cases[] = {
        {RouteIds{1, {7}, 2}, {"beacon N7 (ID 7)", "nav_facts lacks its row"}},
        {RouteIds{3, {}, 2}, {"airport KCCC (ID 3)", "airport_facts lacks its row"}},
        {RouteIds{1, {}, 99}, {"no airport with ID 99"}},
    };
    for (const auto& c : cases) {
        try {
            buildPlan(c.route);
            ADD_FAILURE() << c.words[0];
        } catch (const PlanError& e) {
            for (const char* word : c.words)
                EXPECT_NE(std::string(e.what()).find(word), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(parseRowId("7 OR 1=1", "the beacon"), PlanError);
    EXPECT_EQ(parseRowId("21175", "the airport"), 21175);
}

// What the map lacks is said, never swallowed: the pane shows these notes.
TEST_F(PlanBuilderTest, AMapWithoutSomeOrAllVorsSaysWhy)
{
    Build(AirportRow(1, "KAAA", "Alpha", "N", 40, 64.0, "W", 73, 78.0) + AirportRow(2, "KBBB", "Bravo", "N", 42, 36.0, "W", 71, 1.0) +
          NavRow(7, "Seven", "N", 41, 31.0, "W", 72, 69.0) + NavRow(8, "Eight", "N", 41, 80.0, "W", 71, 90.0) + FACTS);
    const struct {
        const char* damage;
        std::size_t vorsShown;
        const char* note;  // "" for none
    } cases[] = {
        {"", 2, ""},
        {"UPDATE nav_facts SET Latitude='x' WHERE ID=8;", 1, "leaves out 1 VOR whose position is damaged"},
        {"UPDATE nav_facts SET Longitude=181;", 0, "leaves out 2 VORs whose positions are damaged"},
        {"DROP TABLE nav_facts;", 0, "shows no VORs around the route"},
    };
    for (const auto& c : cases) {
        ExecuteSqlScript("VORS.MDB", c.damage);
        planning::PlanBuilder fresh(*db(), [] { return MagneticModel::load(MERIDANE_WMM_TEST_FILE); });
        const planning::SceneResult map = fresh.airportsScene({"1", ""});
        EXPECT_EQ(map.scene.route.size(), 1u) << c.damage;
        EXPECT_EQ(map.scene.otherBeacons.size(), c.vorsShown) << c.damage;
        if (*c.note == 0)
            EXPECT_EQ(map.note, "") << c.damage;
        else
            EXPECT_NE(map.note.find(c.note), std::string::npos) << map.note;
    }
}

TEST_F(PlanBuilderTest, AnAirportTheMapCannotShowIsNamed)
{
    Build(AirportRow(1, "KAAA", "Alpha", "N", 40, 64.0, "W", 73, 78.0) + FACTS);
    const planning::SceneResult map = builder().airportsScene({"1", "99"});
    EXPECT_TRUE(map.scene.route.empty());
    EXPECT_NE(map.note.find("no airport with ID 99"), std::string::npos) << map.note;
    EXPECT_EQ(builder().airportsScene({"1", ""}).scene.route.size(), 1u);
}

// Both routes' plans from one call: a plan that cannot be made is missing
// and says why, the other is made all the same; asking for the missing one
// throws what said why.
TEST_F(PlanBuilderTest, BothPlansOrWhyOneIsMissing)
{
    Build(AirportRow(1, "KAAA", "Alpha", "N", 40, 64.0, "W", 73, 78.0) +
          AirportRow(2, "KBBB", "Bravo", "N", 42, 36.0, "W", 71, 1.0) + NavRow(7, "Seven", "N", 41, 31.0, "W", 72, 69.0) +
          NavRow(8, "Eight", "N", 41, 80.0, "W", 71, 90.0) +
          // No row for beacon 8 in nav_facts.
          "INSERT INTO airport_facts VALUES (1, 40.639801, -73.7789, 'JFK', 'US'), (2, 42.3643, -71.005203, NULL, 'US');"
          "INSERT INTO nav_facts VALUES (7, 41.313702, -72.692001, 'US', -14.25);");
    planning::PlanChoices choices;
    choices.trueAirspeedKt = 120;
    const struct {
        const char* what;
        std::string from, to;
        std::vector<std::string> beacons;
        bool wantBest;
        const char* listedWhy;  // "" for a plan
        const char* bestWhy;
    } cases[] = {
        {"both", "1", "2", {"7"}, true, "", ""},
        {"listed only", "1", "2", {"7"}, false, "", ""},
        {"a listed beacon without its facts", "1", "2", {"7", "8"}, true, "beacon N8 (ID 8)", ""},
        {"one airport at both ends", "1", "1", {}, true, "", "needs two different airports; KAAA is both"},
    };
    for (const auto& c : cases) {
        const planning::PlanPair pair = builder().buildPlans(c.from, &c.beacons, c.to, choices, c.wantBest);
        for (const auto& [kind, why, plan] :
             {std::tuple{RouteKind::Listed, c.listedWhy, &pair.listed}, std::tuple{RouteKind::Best, c.bestWhy, &pair.best}}) {
            const bool asked = kind == RouteKind::Listed || c.wantBest;
            const bool made = asked && std::string(why).empty();
            EXPECT_EQ(plan->has_value(), made) << c.what;
            EXPECT_NE(pair.why(kind).find(why), std::string::npos) << c.what << ": " << pair.why(kind);
            if (made) {
                EXPECT_EQ(pair.plan(kind).routeKind, kind) << c.what;
                EXPECT_EQ(pair.plan(kind).trueAirspeedKt, 120.0) << c.what;
            } else if (asked) {
                EXPECT_THROW(pair.plan(kind), PlanError) << c.what;
            }
        }
    }
    EXPECT_EQ(builder().buildPlans("1", nullptr, "2", choices, true).listed, std::nullopt);
}

// A route flown by VOR and ADF was chosen among the NDBs too, and its map
// shows them faintly beside the VORs; a VOR route's map and the map before
// a route show VORs alone.
TEST_F(PlanBuilderTest, TheMapOfARouteFlownByNdbsShowsTheNdbsAround)
{
    // Beacons round Fiji and Samoa, both sides of 180°; the last one's
    // position is damaged.
    const struct {
        int id;
        const char* type;
        const char* frequency;
        const char* facts;     // latitude, longitude, country, declination
        const char* coverage;  // class and simulator range, for an NDB
    } beacons[] = {
        {7, "VOR", "112.5", "-16.0,179.0,'FJ',12", nullptr},
        {8, "NDB", "338.0", "-17.7,177.4,'FJ',NULL", "'HH',75"},
        {9, "NDB-DME", "415.5", "-13.8,-171.99,'WS',NULL", "'MH',25"},
        {10, "NDB", "300.0", "'x',-175.0,'XX',NULL", "'MH',NULL"},
    };
    std::string sql = AirportRow(1, "NFFN", "Nadi", "S", 17, 75.0, "E", 177, 44.0) +
                      AirportRow(2, "NSFA", "Faleolo", "S", 13, 83.0, "W", 172, 0.0) +
                      "INSERT INTO airport_facts VALUES (1,-17.755,177.443,NULL,'FJ'),(2,-13.83,-172.008,NULL,'WS');";
    for (const auto& b : beacons) {
        const std::string id = std::to_string(b.id);
        sql += NavRow(b.id, "Beacon " + id, "S", 15, 0.0, "W", 175, 0.0, b.type, b.frequency) +
               "INSERT INTO nav_facts VALUES (" + id + "," + b.facts + ");";
        if (b.coverage)
            sql += "INSERT INTO ndb_coverage VALUES (" + id + "," + b.coverage + ");";
    }
    Build(sql);
    FlightPlan plan;
    plan.waypoints = {search::readAirportWaypoint(*db(), 1), search::readAirportWaypoint(*db(), 2)};
    const auto kindsShown = [](const planning::SceneResult& map) {
        std::vector<std::pair<std::string, map::MapPoint::Kind>> kinds;
        for (const map::MapPoint& p : map.scene.otherBeacons)
            kinds.emplace_back(p.ident, p.kind);
        return kinds;
    };
    using Kind = map::MapPoint::Kind;
    const std::vector<std::pair<std::string, Kind>> vorsOnly{{"N7", Kind::Vor}};
    EXPECT_EQ(kindsShown(builder().planScene(plan)), vorsOnly);

    plan.navaids = coverage::Navaids::VorNdb;
    const planning::SceneResult withNdbs = builder().planScene(plan);
    EXPECT_EQ(kindsShown(withNdbs), (std::vector<std::pair<std::string, Kind>>{
                                        {"N7", Kind::Vor}, {"N8", Kind::Ndb}, {"N9", Kind::Ndb}}));
    EXPECT_EQ(withNdbs.scene.otherBeacons[2].lon, -171.99) << "west of the antimeridian";
    EXPECT_NE(withNdbs.note.find("leaves out 1 NDB whose position is damaged"), std::string::npos) << withNdbs.note;
    EXPECT_EQ(kindsShown(builder().airportsScene({"1", "2"})), vorsOnly);
}

TEST_F(PlanBuilderTest, ADatabaseWithoutNdbsGivesTheMapItsVorsAndNoComplaint)
{
    Build(AirportRow(1, "KAAA", "Alpha", "N", 40, 64.0, "W", 73, 78.0) + AirportRow(2, "KBBB", "Bravo", "N", 42, 36.0, "W", 71, 1.0) +
          NavRow(7, "Seven", "N", 41, 31.0, "W", 72, 69.0) + FACTS + "DROP TABLE ndb_coverage;");
    FlightPlan plan;
    plan.waypoints = {search::readAirportWaypoint(*db(), 1), search::readAirportWaypoint(*db(), 2)};
    plan.navaids = coverage::Navaids::VorNdb;
    const planning::SceneResult map = builder().planScene(plan);
    EXPECT_EQ(map.scene.otherBeacons.size(), 1u);
    EXPECT_EQ(map.note, "");
}
