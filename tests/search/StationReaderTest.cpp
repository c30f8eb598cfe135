// SPDX-License-Identifier: GPL-3.0-or-later
// The station reader on fixture databases: classes, simulator ranges and
// positions as the coverage needs them, and a clear word for a database
// imported before the classes existed.

#include "tests/support/FixtureDb.h"
#include "data/DBException.h"
#include "search/StationReader.h"

#include "coverage/StationRange.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

class StationReaderTest : public NavDbTest {};

std::string Summary(const coverage::Station& s)
{
    return s.ident + " " + std::string(1, s.serviceClass) + " " +
           (s.simulatorRangeNm ? std::to_string(static_cast<int>(*s.simulatorRangeNm)) : "-") + " " +
           (s.elevationFt ? std::to_string(static_cast<int>(*s.elevationFt)) : "-") + " " +
           s.frequency.value_or("-");
}

}  // namespace

TEST_F(StationReaderTest, ClassesRangesAndPositionsOfTheVorsOnly)
{
    Build(NavRow(1, "Kennedy", "N", 40, 63.0, "W", 73, 77.0, "VOR", "115.9", "12") +
          NavRow(2, "Canarsie", "N", 40, 61.0, "W", 73, 89.0, "VOR", "112.3", "NULL") +
          NavRow(3, "Beacon", "N", 40, 50.0, "W", 73, 50.0, "NDB", "373.0") +
          NavRow(4, "Sydney", "S", 33, 94.6, "E", 151, 17.7, "VOR", "-1.0") +
          NavRow(5, "Nowhere", "N", 10, 0.0, "E", 10, 0.0, "VOR") +
          "INSERT INTO nav_facts VALUES (1,40.63,-73.77,'US',-13),(2,40.61,-73.89,'US',NULL),"
          "(3,40.5,-73.5,'US',NULL),(4,-33.946,151.177,'AU',12.5),(5,'north',10.0,'XX',NULL);"
          "INSERT INTO nav_coverage VALUES (1,'H',130),(2,'T',NULL),(4,'L',NULL);");
    search::StationReader reader(db());
    std::vector<std::string> all;
    for (const coverage::Station& s : reader.readAll())
        all.push_back(Summary(s));
    // The NDB is no station; a damaged position leaves its beacon out; a
    // beacon without a class row counts as low.
    EXPECT_EQ(all, (std::vector<std::string>{"N1 H 130 12 115.9", "N2 T - - 112.3", "N4 L - 50 -"}));

    const auto byId = reader.readByIds({4, 3, 1, 99});
    ASSERT_EQ(byId.size(), 2u);
    EXPECT_EQ(byId[0].ident, "N4");
    EXPECT_DOUBLE_EQ(byId[0].latitude, -33.946);
    EXPECT_DOUBLE_EQ(byId[0].longitude, 151.177);
    EXPECT_DOUBLE_EQ(*byId[0].declination, 12.5);
    EXPECT_EQ(byId[1].ident, "N1");
    EXPECT_TRUE(reader.readByIds({}).empty());
}

// NDBs come with their kind, class and range, frequencies in kHz; a row
// without an ndb_coverage class is no NDB the reader knows, and an
// unknown class text counts as MH.
TEST_F(StationReaderTest, NdbsWithTheirClassesAndRanges)
{
    Build(NavRow(1, "Kennedy", "N", 40, 63.0, "W", 73, 77.0, "VOR", "115.9", "12") +
          NavRow(2, "Nadi", "S", 17, 75.0, "E", 177, 44.0, "NDB", "338.0", "59") +
          NavRow(3, "Faleolo", "S", 13, 83.0, "W", 171, 100.0, "NDB-DME", "415.5") +
          NavRow(4, "Unclassed", "N", 10, 0.0, "E", 10, 0.0, "NDB", "300.0") +
          NavRow(5, "Odd", "N", 11, 0.0, "E", 11, 0.0, "NDB", "301.0") +
          "INSERT INTO nav_facts VALUES (1,40.63,-73.77,'US',-13),(2,-17.75,177.44,'FJ',NULL),"
          "(3,-13.83,-171.999,'WS',NULL),(4,10.0,10.0,'XX',NULL),(5,11.0,11.0,'XX',NULL);"
          "INSERT INTO nav_coverage VALUES (1,'H',130);"
          "INSERT INTO ndb_coverage VALUES (2,'HH',75),(3,'COMLO',NULL),(5,'XX',NULL);");
    search::StationReader reader(db());
    const std::vector<coverage::Station> ndbs = reader.readNdbSearchFacts();
    ASSERT_EQ(ndbs.size(), 3u);
    EXPECT_EQ(ndbs[0].kind, coverage::StationKind::Ndb);
    EXPECT_EQ(ndbs[0].ndbClass, coverage::NdbClass::HH);
    EXPECT_EQ(ndbs[0].simulatorRangeNm, 75.0);
    EXPECT_DOUBLE_EQ(ndbs[1].longitude, -171.999);
    EXPECT_EQ(ndbs[1].ndbClass, coverage::NdbClass::Locator);
    EXPECT_FALSE(ndbs[1].simulatorRangeNm);
    EXPECT_EQ(ndbs[2].ndbClass, coverage::NdbClass::MH);
    // A route's stations in full, VORs and NDBs alike, in the order asked.
    const std::vector<coverage::Station> chosen = reader.readByIds({3, 1, 2});
    ASSERT_EQ(chosen.size(), 3u);
    EXPECT_EQ(chosen[0].frequency, "415.5");
    EXPECT_EQ(chosen[0].ident, "N3");
    EXPECT_EQ(chosen[0].kind, coverage::StationKind::Ndb);
    EXPECT_EQ(chosen[0].ndbClass, coverage::NdbClass::Locator);
    EXPECT_EQ(chosen[1].kind, coverage::StationKind::Vor);
    EXPECT_EQ(chosen[2].frequency, "338.0");
    // The VOR reading is untouched by them.
    ASSERT_EQ(reader.readAll().size(), 1u);
    EXPECT_EQ(reader.readAll()[0].kind, coverage::StationKind::Vor);
}

TEST_F(StationReaderTest, ADatabaseWithoutNdbClassesAsksForANewImport)
{
    Build(NavRow(1, "Nadi", "S", 17, 75.0, "E", 177, 44.0, "NDB", "338.0") + "DROP TABLE ndb_coverage;");
    try {
        search::StationReader(db()).readNdbSearchFacts();
        FAIL() << "no error";
    } catch (const CDBException& e) {
        EXPECT_NE(std::string(e.what()).find("ndb_coverage"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("import it again"), std::string::npos) << e.what();
    }
}

TEST_F(StationReaderTest, ADatabaseWithoutClassesAsksForANewImport)
{
    Build(NavRow(1, "Kennedy", "N", 40, 63.0, "W", 73, 77.0) + "DROP TABLE nav_coverage;");
    try {
        search::StationReader(db()).readAll();
        FAIL() << "no error";
    } catch (const CDBException& e) {
        EXPECT_NE(std::string(e.what()).find("import it again"), std::string::npos) << e.what();
    }
}

// What the search reads of every station is what readAll gives, less the
// texts; a damaged or overlong simulator range never reaches the search.
TEST_F(StationReaderTest, SearchFactsAreTheStationsWithoutTheirTextsAndRangesAreCapped)
{
    Build(NavRow(1, "Kennedy", "N", 40, 63.0, "W", 73, 77.0, "VOR", "115.9", "12") +
          NavRow(2, "Canarsie", "N", 40, 61.0, "W", 73, 89.0, "VOR", "112.3", "NULL") +
          NavRow(3, "Far", "S", 17, 0.0, "E", 179, 50.0, "VOR", "113.1", "20") +
          NavRow(4, "Farther", "S", 17, 0.0, "W", 179, 50.0, "VOR", "113.2", "30") +
          "INSERT INTO nav_facts VALUES (1,40.63,-73.77,'US',-13),(2,40.61,-73.89,'US',NULL),"
          "(3,-17.0,179.83,'FJ',NULL),(4,-17.0,-179.83,'WS',NULL);"
          "INSERT INTO nav_coverage VALUES (1,'H',500.0),(2,'T',1e308),(3,'L',-5),(4,'L',40);");
    search::StationReader reader(db());
    const std::vector<coverage::Station> all = reader.readAll();
    const std::vector<coverage::Station> facts = reader.readSearchFacts();
    ASSERT_EQ(facts.size(), all.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(facts[i].id, all[i].id);
        EXPECT_EQ(facts[i].latitude, all[i].latitude);
        EXPECT_EQ(facts[i].longitude, all[i].longitude);
        EXPECT_EQ(facts[i].elevationFt, all[i].elevationFt);
        EXPECT_EQ(facts[i].serviceClass, all[i].serviceClass);
        EXPECT_EQ(facts[i].simulatorRangeNm, all[i].simulatorRangeNm);
        EXPECT_EQ(facts[i].ident, "");
        EXPECT_FALSE(facts[i].frequency);
    }
    const struct {
        std::size_t index;
        std::optional<double> range;
    } ranges[] = {{0, 500.0}, {1, coverage::LONGEST_STATION_RANGE_NM}, {2, std::nullopt}, {3, 40.0}};
    for (const auto& r : ranges)
        EXPECT_EQ(facts[r.index].simulatorRangeNm, r.range) << all[r.index].ident;
    EXPECT_TRUE(reader.hasSimulatorRanges());
}

// Simulator ranges are there only where some station has one.
TEST_F(StationReaderTest, WhetherTheDatabaseHasSimulatorRanges)
{
    const struct {
        const char* sql;
        bool has;
    } cases[] = {
        {"INSERT INTO nav_coverage VALUES (1,'H',130);", true},
        {"INSERT INTO nav_coverage VALUES (1,'H',NULL);", false},
        {"", false},
        {"DROP TABLE nav_coverage;", false},
    };
    for (const auto& c : cases) {
        Build(NavRow(1, "Kennedy", "N", 40, 63.0, "W", 73, 77.0) + c.sql);
        EXPECT_EQ(search::StationReader(db()).hasSimulatorRanges(), c.has) << c.sql;
        m_db.reset();
        m_dir.reset();
        SetUp();
    }
}

// What the simulator range column may hold: a positive figure is a range,
// anything else (0 among them, which the simulator's files write for a
// beacon they give no range) leaves the standard model to say.
TEST_F(StationReaderTest, OnlyAPositiveSimulatorRangeIsARange)
{
    const struct {
        const char* stored;
        const char* expected;
    } cases[] = {
        {"0", "-"}, {"0.0", "-"}, {"-25", "-"}, {"'abc'", "-"}, {"NULL", "-"}, {"0.5", "0"}, {"25", "25"}, {"199.9", "199"},
    };
    std::string sql, coverage = "INSERT INTO nav_coverage VALUES ";
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const int id = static_cast<int>(i) + 1;
        sql += NavRow(id, "Beacon", "S", 33, 10.0 * id, "E", 151, 17.7, "VOR", "112.1");
        sql += "INSERT INTO nav_facts VALUES (" + std::to_string(id) + ",-33.5,151.2,'AU',12.5);";
        coverage += (i ? ",(" : "(") + std::to_string(id) + ",'L'," + cases[i].stored + ")";
    }
    Build(sql + coverage + ";");
    const std::vector<coverage::Station> all = search::StationReader(db()).readAll();
    ASSERT_EQ(all.size(), std::size(cases));
    for (std::size_t i = 0; i < all.size(); ++i) {
        const std::string range =
            all[i].simulatorRangeNm ? std::to_string(static_cast<int>(*all[i].simulatorRangeNm)) : "-";
        EXPECT_EQ(range, cases[i].expected) << cases[i].stored;
    }
}
