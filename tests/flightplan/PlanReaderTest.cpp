#include "flightplan/MagneticModel.h"
#include "flightplan/PlanError.h"
#include "flightplan/PlanReader.h"

#include "FixtureDb.h"

#include <gtest/gtest.h>

using namespace flightplan;

namespace {

class PlanReaderTest : public NavDbTest {
protected:
    PlanOptions options()
    {
        PlanOptions o;
        o.date = CivilDate{2025, 1, 1};
        return o;
    }
    MagneticModel m_model = MagneticModel::load(MERIDANE_WMM_TEST_FILE);
};

// The hundredths columns say 40.64/-73.78 and so on; the plan must carry
// the side tables' positions instead.
const char* const FACTS =
    "INSERT INTO airport_facts VALUES (1, 40.639801, -73.7789, 'JFK', 'US'), (2, 42.3643, -71.005203, NULL, 'US');"
    "INSERT INTO nav_facts VALUES (7, 41.313702, -72.692001, 'US', -14.25), (8, 41.8, -71.9, 'US', NULL);";

}  // namespace

TEST_F(PlanReaderTest, TextsComeFromTheNavigationTablesAndPositionsFromTheFactTables)
{
    Build(AirportRow(1, "KAAA", "Alpha Field", "N", 40, 64.0, "W", 73, 78.0, "'North America','US','NY','A',13,128.725") +
          AirportRow(2, "KBBB", "Bravo", "N", 42, 36.0, "W", 71, 1.0) +
          NavRow(7, "Seven", "N", 41, 31.0, "W", 72, 69.0, "VOR", "110.4", "230") +
          NavRow(8, "Eight", "N", 41, 80.0, "W", 71, 90.0, "VOR", "113.1", "NULL") + FACTS);
    const FlightPlan plan = buildPlan(*db(), RouteIds{1, {7, 8}, 2}, options(), m_model);

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
TEST_F(PlanReaderTest, BeaconIdentsAreReadFromNavsWhereADatabaseStillKeepsThemThere)
{
    Build(AirportRow(1, "KAAA", "Alpha", "N", 40, 64.0, "W", 73, 78.0) + AirportRow(2, "KBBB", "Bravo", "N", 42, 36.0, "W", 71, 1.0) +
          NavRow(7, "Seven", "N", 41, 31.0, "W", 72, 69.0) + NavRow(8, "Eight", "N", 41, 80.0, "W", 71, 90.0) + FACTS +
          "ALTER TABLE navs ADD COLUMN Ident TEXT;"
          "UPDATE navs SET Ident=(SELECT 'OLD' || Ident FROM nav_idents WHERE nav_idents.ID=navs.ID);"
          "DROP TABLE nav_idents;");
    EXPECT_EQ(buildPlan(*db(), RouteIds{1, {7, 8}, 2}, options(), m_model).route, "KAAA DCT OLDN7 DCT OLDN8 KBBB");
    std::vector<std::string> idents;
    for (const Waypoint& vor : readAllVors(*db()))
        idents.push_back(vor.ident);
    EXPECT_EQ(idents, (std::vector<std::string>{"OLDN7", "OLDN8"}));
}

TEST_F(PlanReaderTest, AMissingRowOrABadIdIsAnErrorNamingTheAirportOrBeacon)
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
            buildPlan(*db(), c.route, options(), m_model);
            ADD_FAILURE() << c.words[0];
        } catch (const PlanError& e) {
            for (const char* word : c.words)
                EXPECT_NE(std::string(e.what()).find(word), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(parseRowId("7 OR 1=1", "the beacon"), PlanError);
    EXPECT_EQ(parseRowId("21175", "the airport"), 21175);
}
