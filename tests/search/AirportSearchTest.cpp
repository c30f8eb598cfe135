// SPDX-License-Identifier: GPL-3.0-or-later
// The airport search on fixture databases: what it finds, in which order,
// and that typed text is only ever data.

#include "tests/support/FixtureDb.h"
#include "tests/support/SearchFixture.h"
#include "data/ConnectionString.h"
#include "data/DBException.h"
#include "data/Quoting.h"
#include "search/AirportSearch.h"

#include <gtest/gtest.h>

namespace {

using search::AirportMatch;
using search::AirportSearch;
using Kind = AirportMatch::Kind;
// Ident and kind of each match, in order.
using Hits = std::vector<std::pair<std::string, Kind>>;

std::string Place(const std::string& city)
{
    return "'Europe','Testland','','" + EscapeQuotes(city) + "',100,-1.0";
}

class AirportSearchTest : public NavDbTest {
protected:
    // Fixture rows, indexed for the search with the given ranks by ID.
    void Index(const std::string& sql, const std::map<long long, int>& ranks = {})
    {
        Build(sql);
        IndexAirportsForSearch(NAVDB_FILE_NAME, ranks);
    }
    Hits Search(const std::string& text, std::size_t limit = 50)
    {
        AirportSearch search(db());
        Hits found;
        for (const AirportMatch& m : search.find(text, limit))
            found.emplace_back(m.ident, m.kind);
        return found;
    }
};

TEST_F(AirportSearchTest, CodesFirstThenWordStartsThenTheRestEachByRankAndName)
{
    Index(AirportRow(1, "KSAN", "San Diego Intl", "N", 32, 44, "W", 117, 11, Place("San Diego")) +
              AirportRow(2, "SBRJ", "Santos Dumont", "S", 22, 54, "W", 43, 9, Place("Rio")) +
              AirportRow(3, "K89", "Thousand Island Field", "N", 44, 15, "W", 76, 1, Place("Clayton")) +
              AirportRow(4, "L52", "Santa Maria Pub", "N", 34, 54, "W", 120, 27, Place("Santa Maria")) +
              AirportRow(5, "E16", "Mesa Field", "N", 37, 20, "W", 121, 50, Place("San Jose")) +
              AirportRow(6, "SANX", "Alpha", "N", 1, 0, "E", 1, 0, Place("Beta")) +
              AirportRow(7, "KXYZ", "Nowhere", "N", 1, 0, "E", 1, 0, Place("Gamma")) +
              "INSERT INTO airport_facts VALUES (1,32.7,-117.2,'SAN','US'),(7,1,1,'XYZ','US');",
          {{1, 0}, {2, 1}, {3, 0}});
    // The IATA code, however small the airport; the medium airport whose
    // name begins so; the small ones whose city begins so before the small
    // one whose ident does; and last the large one that holds the text
    // inside a word.
    EXPECT_EQ(Search("san"), (Hits{{"KSAN", Kind::Code},
                                   {"SBRJ", Kind::WordStart},
                                   {"E16", Kind::CityStart},
                                   {"L52", Kind::CityStart},
                                   {"SANX", Kind::WordStart},
                                   {"K89", Kind::Contains}}));
    EXPECT_EQ(Search("san", 3).size(), 3u);

    AirportSearch search(db());
    const std::vector<AirportMatch> code = search.find("kxyz");
    ASSERT_EQ(code.size(), 1u);
    EXPECT_EQ(code[0].kind, Kind::Code);
    EXPECT_EQ(code[0].id, "7");
    EXPECT_EQ(code[0].iata, "XYZ");
    EXPECT_EQ(code[0].city, "Gamma");
    EXPECT_EQ(code[0].country, "Testland");
    EXPECT_EQ(code[0].region, "Europe");
}

TEST_F(AirportSearchTest, CityStartsThenNameWordsThenInsideWordsEachLargerFirst)
{
    Index(AirportRow(1, "KSFO", "San Francisco International Airport", "N", 37, 37, "W", 122, 22,
                     Place("San Francisco")) +
              AirportRow(2, "LIRZ", "Perugia San Francesco d'Assisi Umbria International Airport", "N", 43, 5, "E",
                         12, 30, Place("Perugia")) +
              AirportRow(3, "KOAK", "Metropolitan Oakland International Airport", "N", 37, 43, "W", 122, 13,
                         Place("Oakland")) +
              AirportRow(4, "CYXX", "Abbotsford International Airport", "N", 49, 1, "W", 122, 22,
                         Place("Abbotsford")) +
              AirportRow(5, "YKFD", "Kingsford Field", "S", 33, 56, "E", 151, 10, Place("Kingsford")) +
              AirportRow(6, "US-0001", "Sfontana Strip", "N", 40, 0, "W", 100, 0, Place("Nowhere")) +
              AirportRow(7, "KSQL", "San Carlos Airport", "N", 37, 31, "W", 122, 15, Place("San Carlos")) +
              AirportRow(8, "KSJC", "Norman Y. Mineta San Jose International Airport", "N", 37, 22, "W", 121, 56,
                         Place("San Jose")) +
              AirportRow(9, "SAN1", "South San Francisco Heliport", "N", 37, 39, "W", 122, 25,
                         Place("South San Francisco")) +
              AirportRow(10, "KJFK", "John F Kennedy International Airport", "N", 40, 38, "W", 73, 47,
                         Place("New York")) +
              AirportRow(11, "52MN", "Anderson Field", "N", 48, 38, "W", 96, 48, Place("Kennedy")) +
              "INSERT INTO airport_facts VALUES (1,37.6,-122.4,'SFO','US'),(2,43.1,12.5,'PEG','IT'),"
              "(3,37.7,-122.2,'OAK','US');",
          {{1, 0}, {2, 1}, {3, 0}, {4, 1}, {5, 2}, {6, 2}, {7, 2}, {8, 0}, {9, 3}, {10, 0}, {11, 2}});
    const struct {
        const char* typed;
        Hits expected;
    } cases[] = {
        // The city first, then names whose words begin so, the larger first.
        {"san fr", {{"KSFO", Kind::CityStart}, {"LIRZ", Kind::WordStart}, {"SAN1", Kind::WordStart}}},
        {"San Francisco", {{"KSFO", Kind::CityStart}, {"SAN1", Kind::WordStart}}},
        // Words of a name need not stand together, but in the order typed.
        {"oakland airport", {{"KOAK", Kind::WordStart}}},
        {"airport oakland", {}},
        // Larger first among city and name starts, at equal size the city
        // first: the large airports of San Jose and San Francisco, the
        // medium one named for San Francesco, the small one of San Carlos.
        {"san", {{"KSJC", Kind::CityStart}, {"KSFO", Kind::CityStart}, {"LIRZ", Kind::WordStart},
                 {"KSQL", Kind::CityStart}, {"SAN1", Kind::WordStart}}},
        // A name before a small town so called.
        {"kennedy", {{"KJFK", Kind::WordStart}, {"52MN", Kind::CityStart}}},
        // The code, then a name that begins so; inside words last.
        {"sfo", {{"KSFO", Kind::Code}, {"US-0001", Kind::WordStart}, {"CYXX", Kind::Contains},
                 {"YKFD", Kind::Contains}}},
        {"zzzz", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Search(c.typed), c.expected) << c.typed;
}

TEST_F(AirportSearchTest, AWordStartFarDownTheTableStillBeatsTheMatchesInsideWords)
{
    // Many large airports hold the text inside a word; one small airport's
    // name begins with it. The search must not stop at the first few.
    std::string sql;
    std::map<long long, int> ranks;
    for (int id = 1; id <= 30; ++id) {
        sql += AirportRow(id, "L" + std::to_string(id), "Airxport " + std::to_string(id), "N", 1, 0, "E", 1, 0);
        ranks[id] = 0;
    }
    sql += AirportRow(99, "S99", "Xport Field", "N", 1, 0, "E", 1, 0);
    Index(sql, ranks);
    const auto found = Search("xport", 2);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0], std::make_pair(std::string("S99"), Kind::WordStart));
    EXPECT_EQ(found[1].second, Kind::Contains);
}

TEST_F(AirportSearchTest, CaseAccentsAndPunctuationAreIgnored)
{
    Index(AirportRow(1, "LSZH", "Zürich Airport", "N", 47, 27, "E", 8, 33, Place("Zürich")) +
          AirportRow(2, "CYYT", "St. John's Intl", "N", 47, 37, "W", 52, 45, Place("St. John's")) +
          AirportRow(3, "ENAL", "ÅLESUND AIRPORT", "N", 62, 33, "E", 6, 7, Place("Ålesund")) +
          "INSERT INTO airport_facts VALUES (1,47.4,8.5,'ZRH','CH');");
    EXPECT_EQ(Search("zurich"), (Hits{{"LSZH", Kind::CityStart}}));
    EXPECT_EQ(Search("ZÜRICH AIRPORT"), (Hits{{"LSZH", Kind::WordStart}}));
    EXPECT_EQ(Search("Zrh"), (Hits{{"LSZH", Kind::Code}}));
    EXPECT_EQ(Search("st johns"), (Hits{{"CYYT", Kind::CityStart}}));
    EXPECT_EQ(Search("  John's  "), (Hits{{"CYYT", Kind::WordStart}}));
    EXPECT_EQ(Search("lesund"), (Hits{{"ENAL", Kind::Contains}}));
}

TEST_F(AirportSearchTest, TypedTextIsOnlyData)
{
    Index(AirportRow(1, "KORD", "Chicago O'Hare Intl", "N", 41, 58, "W", 87, 54, Place("Chicago")) +
          AirportRow(2, "KMDW", "Chicago Midway", "N", 41, 47, "W", 87, 45, Place("Chicago")));
    AirportSearch search(db());
    for (const char* text : {"'", "%", "_", "*", "?", "[a-z]", "' OR 1=1 --", "%'; DROP TABLE airports; --", ""})
        EXPECT_TRUE(search.find(text).empty()) << text;
    EXPECT_EQ(Search("o'hare"), (Hits{{"KORD", Kind::WordStart}}));
    EXPECT_EQ(Search("%hare%"), (Hits{{"KORD", Kind::Contains}}));
    EXPECT_EQ(Search("chicago").size(), 2u);
}

// A text longer than any airport's words answers as one that matches
// nothing, however long: SQLite itself refuses very long patterns.
TEST_F(AirportSearchTest, TextsBeyondTheLongestKeyMatchNothing)
{
    Index(AirportRow(1, "XLNG", std::string(300, 'x'), "N", 41, 58, "W", 87, 54, Place("Longtown")));
    const struct {
        std::size_t length;
        bool found;
    } cases[] = {{AirportSearch::LONGEST_KEY, true}, {AirportSearch::LONGEST_KEY + 1, false}, {120000, false}};
    for (const auto& c : cases)
        EXPECT_EQ(Search(std::string(c.length, 'X')).size(), c.found ? 1u : 0u) << c.length;
}

TEST_F(AirportSearchTest, ADatabaseWithoutTheSearchTableSaysSo)
{
    Build(AirportRow(1, "KORD", "Chicago O'Hare Intl", "N", 41, 58, "W", 87, 54) + "DROP TABLE airport_search;");
    AirportSearch search(db());
    EXPECT_FALSE(search.available());
    try {
        search.find("ord");
        FAIL() << "no error";
    } catch (const CDBException& e) {
        EXPECT_NE(std::string(e.what()).find("meridane-navdb"), std::string::npos) << e.what();
    }
}

}  // namespace

// Two airports answer to the same code, one by its ident and one by its IATA
// code: the larger comes first, though the smaller has the lower ID and the
// name that sorts first.
TEST_F(AirportSearchTest, AmongEqualCodeMatchesTheLargerAirportComesFirst)
{
    Index(AirportRow(1, "SAN", "Aardvark Strip", "S", 33, 0, "E", 151, 0, Place("Nowra")) +
              AirportRow(2, "KSAN", "San Diego Intl", "N", 32, 44, "W", 117, 11, Place("San Diego")) +
              "INSERT INTO airport_facts VALUES (2,32.7,-117.2,'SAN','US');",
          {{2, 0}});
    EXPECT_EQ(Search("san"), (Hits{{"KSAN", Kind::Code}, {"SAN", Kind::Code}}));
    EXPECT_EQ(Search("SAN", 1), (Hits{{"KSAN", Kind::Code}}));
}
