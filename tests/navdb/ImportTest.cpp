// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/Importer.h"
#include "tools/navdb/NavdbError.h"
#include "tests/navdb/NavdbTestSupport.h"
#include "tools/navdb/OutputFile.h"
#include "tools/navdb/SourceNotes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

using navdb::ImportOptions;
using navdb::ImportResult;
using navdb::importNavigationData;
using namespace navdb::test;

namespace {

// The world fixture imported once with nav.dat and once with heliports; each
// test reads the database it needs.
class WorldImport : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new TempDir;
        ImportOptions options;
        options.ourairportsDir = fixtureDir("world");
        options.xplaneNav = fixtureDir("world") + "/nav.dat";
        options.output = s_dir->file("VORS.MDB");
        s_result = new ImportResult(importNavigationData(options));

        options.xplaneNav.clear();
        options.includeHeliports = true;
        options.output = s_dir->file("heliports.MDB");
        s_heliResult = new ImportResult(importNavigationData(options));
    }
    static void TearDownTestSuite()
    {
        delete s_result;
        delete s_heliResult;
        delete s_dir;
    }

    static std::string db() { return s_dir->file("VORS.MDB"); }
    static std::string heliDb() { return s_dir->file("heliports.MDB"); }

    static std::size_t skippedIn(const ImportResult& result, const std::string& file)
    {
        for (const auto& skipped : result.skipped) {
            if (skipped.file().size() >= file.size() &&
                skipped.file().compare(skipped.file().size() - file.size(), file.size(), file) == 0) {
                return skipped.count();
            }
        }
        ADD_FAILURE() << "no entry for " << file;
        return 0;
    }

    static TempDir* s_dir;
    static ImportResult* s_result;
    static ImportResult* s_heliResult;
};

TempDir* WorldImport::s_dir = nullptr;
ImportResult* WorldImport::s_result = nullptr;
ImportResult* WorldImport::s_heliResult = nullptr;

}  // namespace

TEST_F(WorldImport, CountsMatchTheTables)
{
    EXPECT_EQ(s_result->rows.airports, 6u);
    EXPECT_EQ(s_result->rows.runways, 13u);
    EXPECT_EQ(s_result->rows.navs, 10u);
    EXPECT_EQ(s_result->rows.countries, 4u);
    EXPECT_EQ(s_result->rows.regions, 4u);
    EXPECT_EQ(s_result->runwayEndsWithIls, 5u);
    EXPECT_EQ(queryValue(db(), "SELECT count(*) FROM airports"), "6");
    EXPECT_EQ(queryValue(db(), "SELECT count(*) FROM runways"), "13");
    EXPECT_EQ(queryValue(db(), "SELECT count(*) FROM navs"), "10");
}

TEST_F(WorldImport, MalformedRowsAreSkippedAndCountedPerFile)
{
    EXPECT_EQ(skippedIn(*s_result, "countries.csv"), 1u);  // unknown continent
    EXPECT_EQ(skippedIn(*s_result, "regions.csv"), 0u);
    EXPECT_EQ(skippedIn(*s_result, "airport-frequencies.csv"), 1u);
    EXPECT_EQ(skippedIn(*s_result, "airports.csv"), 3u);
    EXPECT_EQ(skippedIn(*s_result, "runways.csv"), 1u);
    EXPECT_EQ(skippedIn(*s_result, "navaids.csv"), 1u);
    EXPECT_EQ(skippedIn(*s_result, "nav.dat"), 1u);

    for (const auto& skipped : s_result->skipped) {
        if (skipped.file().find("airports.csv") != std::string::npos) {
            ASSERT_EQ(skipped.firstReasons().size(), 3u);
            EXPECT_NE(skipped.firstReasons()[0].find("airports.csv:7: bad latitude 'north'"), std::string::npos)
                << skipped.firstReasons()[0];
            EXPECT_NE(skipped.firstReasons()[1].find("airports.csv:8: 6 fields, expected 18"), std::string::npos)
                << skipped.firstReasons()[1];
            EXPECT_NE(skipped.firstReasons()[2].find("unknown country 'ZZ'"), std::string::npos)
                << skipped.firstReasons()[2];
        }
    }
}

TEST_F(WorldImport, AirportsAreNumberedInFileOrderWithTheirPlaceNames)
{
    const Rows expected = {
        {"1", "KJFK", "John F. Kennedy International Airport", "North America", "United States", "New York",
         "New York"},
        {"2", "X01", "Smith's \"Back 40\" Field, North Strip", "North America", "United States", "US-ZZ", ""},
        // The country decides the region: Russia is European although the
        // airport row says AS.
        {"3", "UUEE", "Sheremetyevo International Airport", "Europe", "Russia", "Moscow Oblast", "Moscow"},
        {"4", "YSSY", "Sydney Kingsford Smith International Airport", "Oceania", "Australia", "New South Wales",
         "Sydney"},
        {"5", "W55", "Kenmore Air Harbor", "North America", "United States", "Florida", "Miami"},
        {"6", "RKSI", "Incheon International Airport", "Asia", "Korea, Republic of", "Seoul, Special City",
         "Incheon, Jung-gu"},
    };
    EXPECT_EQ(query(db(), "SELECT ID, Ident, Name, region, country, state, city FROM airports ORDER BY ID"),
              expected);
    // The planner looks for an airport without a town with city=''.
    EXPECT_EQ(queryValue(db(), "SELECT Ident FROM airports WHERE city=''"), "X01");
}

TEST_F(WorldImport, AirportPositionsElevationsAndAtisReadBackInTheirTextForms)
{
    const Rows expected = {
        {"KJFK", "N", "40", "63.94", "W", "73", "77.89", "13", "128.725"},
        {"X01", "N", "41", "0.0", "E", "0", "0.0", "NULL", "-1.0"},
        {"UUEE", "N", "55", "97.26", "E", "37", "41.46", "622", "128.0"},
        {"YSSY", "S", "33", "94.61", "E", "151", "17.72", "21", "-1.0"},
        {"W55", "N", "25", "0.0", "W", "80", "25.0", "13", "-1.0"},
        {"RKSI", "N", "37", "46.91", "E", "126", "45.1", "23", "128.65"},
    };
    EXPECT_EQ(query(db(), "SELECT Ident, LatDir, LatMajor, LatMinor, LongDir, LongMajor, LongMinor, Elevation,"
                          " Frequency FROM airports ORDER BY ID"),
              expected);
}

TEST_F(WorldImport, OnlyCountriesAndRegionsWithAirportsAreListed)
{
    EXPECT_EQ(query(db(), "SELECT name, region FROM countries ORDER BY rowid"),
              (Rows{{"United States", "North America"},
                    {"Russia", "Europe"},
                    {"Australia", "Oceania"},
                    {"Korea, Republic of", "Asia"}}));
    EXPECT_EQ(query(db(), "SELECT name FROM Regions ORDER BY name"),
              (Rows{{"Asia"}, {"Europe"}, {"North America"}, {"Oceania"}}));
}

TEST_F(WorldImport, RunwayEndsWithSurfacesLengthsAndIls)
{
    const Rows expected = {
        {"KJFK", "04L", "12079", "Asphalt", "110.9"},  // nav.dat writes 4L
        {"KJFK", "22R", "12079", "Asphalt", "109.5"},
        {"KJFK", "13R", "14511", "Paved", "-1.0"},
        {"KJFK", "31L", "14511", "Paved", "-1.0"},  // only after the end marker in nav.dat
        {"X01", "9", "NULL", "Grass", "111.3"},      // nav.dat writes 09
        {"X01", "27", "NULL", "Grass", "-1.0"},
        {"UUEE", "07L", "12139", "Concrete", "108.3"},
        {"UUEE", "25R", "12139", "Concrete", "110.1"},
        {"YSSY", "16L", "8300", "Gravel", "-1.0"},
        {"W55", "NW", "5000", "", "-1.0"},
        {"W55", "SE", "5000", "", "-1.0"},
        {"RKSI", "15R", "12303", "Moon Dust", "-1.0"},
        {"RKSI", "33L", "12303", "Moon Dust", "-1.0"},
    };
    EXPECT_EQ(query(db(), "SELECT Ident, Number, Length, Type, ILS FROM runways, airports"
                          " WHERE runways.airport_id = airports.ID ORDER BY runways.rowid"),
              expected);
}

TEST_F(WorldImport, NavaidsAreTypedAsTheRouteSearchExpects)
{
    const Rows expected = {
        {"1", "1A", "Williams Harbour", "NDB", "NDB", "N", "52", "55.89", "W", "55", "78.22", "70", "373.0"},
        {"2", "JFK", "Kennedy", "VOR", "VOR-DME", "N", "40", "63.0", "W", "73", "77.0", "12", "115.9"},
        {"3", "CRI", "Canarsie", "VOR", "VORTAC", "N", "40", "61.0", "W", "73", "89.0", "NULL", "112.3"},
        {"4", "DPK", "Deer Park", "VOR", "VOR", "N", "40", "79.0", "W", "73", "30.0", "120", "117.7"},
        {"5", "ZZ", "Null Island", "VOR", "VOR", "N", "0", "0.0", "E", "0", "0.0", "0", "113.0"},
        {"6", "IWY", "Wings, \"West\"", "DME", "DME", "N", "40", "62.0", "W", "73", "77.0", "10", "111.45"},
        {"7", "NYC", "New York Tacan", "TACAN", "TACAN", "N", "40", "70.0", "W", "73", "98.0", "20", "116.7"},
        {"8", "2J", "Grand Forks", "NDB-DME", "NDB-DME", "N", "49", "1.75", "W", "118", "42.4", "1720", "250.0"},
        {"9", "NOF", "No Frequency", "NDB", "NDB", "N", "10", "50.0", "W", "10", "50.0", "NULL", "-1.0"},
        {"10", "SYD", "Sydney", "VOR", "VOR", "S", "33", "94.6", "E", "151", "17.7", "NULL", "112.1"},
    };
    EXPECT_EQ(query(db(), "SELECT ID, Ident, Name, type, Kind, LatDir, LatMajor, LatMinor, LongDir, LongMajor,"
                          " LongMinor, Elevation, Frequency FROM navs JOIN nav_idents USING (ID) ORDER BY ID"),
              expected);
    // navs holds what the route search reads and nothing else.
    std::string columns;
    for (const auto& row : query(db(), "PRAGMA table_info(navs)"))
        columns += row[1] + " ";
    EXPECT_EQ(columns, "ID Name type LatDir LatMajor LatMinor LongDir LongMajor LongMinor Elevation Frequency ");
}

TEST_F(WorldImport, PrecisePositionsCodesAndDeclinationsStandBeside)
{
    EXPECT_EQ(query(db(), "SELECT * FROM airport_facts WHERE ID=1"),
              (Rows{{"1", "40.639447", "-73.778925", "JFK", "US"}}));
    // The published declination, else the surveyed one, else none.
    EXPECT_EQ(query(db(), "SELECT ID, Latitude, Longitude, CountryCode, Declination FROM nav_facts WHERE ID<5"),
              (Rows{{"1", "52.5588989257812", "-55.7821998596191", "CA", "NULL"},
                    {"2", "40.63", "-73.77", "US", "-13.0"},
                    {"3", "40.61", "-73.89", "US", "-13.2"},
                    {"4", "40.79", "-73.3", "US", "NULL"}}));
    EXPECT_EQ(query(db(), "SELECT COUNT(*) FROM airports JOIN airport_facts USING (ID)"),
              query(db(), "SELECT COUNT(*) FROM airports"));
}

// Only the VOR family has a row. Power gives the class (a missing or
// unknown one is L); nav.dat gives the range of the station with the same
// ident nearest it within 5 nm: DPK's other namesake is far away, ZZ's lies
// six miles off, Sydney's is SY there.
TEST_F(WorldImport, StationClassesAndSimulatorRangesOfTheVorFamily)
{
    EXPECT_EQ(query(db(), "SELECT ID, Class, SimulatorRange FROM nav_coverage ORDER BY ID"),
              (Rows{{"2", "H", "130.0"},
                    {"3", "T", "25.0"},
                    {"4", "L", "40.0"},
                    {"5", "L", "NULL"},
                    {"10", "H", "NULL"}}));
}

// Every NDB and NDB-DME has a row: its class from power (MEDIUM → H; no
// power, as NOF has, → MH), its range from nav.dat's NDB of the same ident
// within 5 nm (NOF's lies six miles off; 2J has none).
TEST_F(WorldImport, ClassesAndSimulatorRangesOfTheNdbs)
{
    EXPECT_EQ(query(db(), "SELECT ID, Class, SimulatorRange FROM ndb_coverage ORDER BY ID"),
              (Rows{{"1", "H", "50.0"}, {"8", "H", "NULL"}, {"9", "MH", "NULL"}}));
}

TEST_F(WorldImport, SearchRowsPutLargerAirportsFirstWithFoldedTexts)
{
    EXPECT_EQ(query(heliDb(), "SELECT ID, Rank, Ident, IATA, Words FROM airport_search ORDER BY Position"),
              (Rows{{"7", "0", "rksi", "icn", " incheon international airport / incheon jung gu / rksi"},
                    {"1", "0", "kjfk", "jfk", " john f kennedy international airport / new york / kjfk"},
                    {"4", "0", "uuee", "svo", " sheremetyevo international airport / moscow / uuee"},
                    {"5", "0", "yssy", "syd", " sydney kingsford smith international airport / sydney / yssy"},
                    {"3", "2", "x01", "NULL", " smiths back 40 field north strip /  / x01"},
                    {"6", "3", "w55", "NULL", " kenmore air harbor / miami / w55"},
                    {"2", "4", "00ny", "NULL", " pier 6 heliport downtown / new york / 00ny"}}));
}

TEST_F(WorldImport, QueriesOfThePlannerUseTheIndexes)
{
    auto plan = [](const std::string& sql) {
        std::string text;
        for (const auto& row : query(db(), "EXPLAIN QUERY PLAN " + sql)) {
            text += row.back() + "\n";
        }
        return text;
    };
    EXPECT_NE(plan("SELECT * FROM navs WHERE LatMajor<=26 AND LongMajor>=79 AND LatMajor>=24 AND LongMajor<=81"
                   " AND type='VOR' AND LatDir='N' AND LongDir='W'")
                  .find("USING INDEX"),
              std::string::npos);
    EXPECT_NE(plan("SELECT DISTINCT city FROM airports WHERE region='Europe' AND country='Russia' ORDER BY city")
                  .find("COVERING INDEX"),
              std::string::npos);
    EXPECT_NE(plan("SELECT * FROM runways,airports WHERE airports.Ident='KJFK' AND runways.airport_id=airports.ID")
                  .find("runways USING INDEX"),
              std::string::npos);
    EXPECT_EQ(queryValue(db(), "SELECT count(*) FROM sqlite_master WHERE name='sqlite_stat1'"), "1");
}

TEST_F(WorldImport, HeliportsOnlyOnRequestAndWithoutNavDatNoIls)
{
    EXPECT_EQ(queryValue(db(), "SELECT count(*) FROM airports WHERE Ident='00NY'"), "0");
    EXPECT_EQ(query(heliDb(), "SELECT ID, Name FROM airports WHERE Ident='00NY'"),
              (Rows{{"2", "Pier \"6\" Heliport, Downtown"}}));
    EXPECT_EQ(query(heliDb(), "SELECT Number, Type FROM runways WHERE airport_id=2"), (Rows{{"H1", "Asphalt"}}));
    EXPECT_EQ(s_heliResult->rows.airports, 7u);
    EXPECT_EQ(queryValue(heliDb(), "SELECT count(*) FROM runways WHERE ILS <> -1.0"), "0");
    // Closed airports and balloon ports stay out either way.
    EXPECT_EQ(queryValue(heliDb(), "SELECT count(*) FROM airports WHERE Ident IN ('X02', 'B01')"), "0");
}

TEST(Import, TwoImportsGiveIdenticalTables)
{
    TempDir dir;
    ImportOptions options;
    options.ourairportsDir = fixtureDir("world");
    options.xplaneNav = fixtureDir("world") + "/nav.dat";
    for (const char* name : {"a.MDB", "b.MDB"}) {
        options.output = dir.file(name);
        importNavigationData(options);
    }
    for (const char* table : {"Regions", "countries", "airports", "runways", "navs", "nav_idents"}) {
        const std::string sql = std::string("SELECT * FROM ") + table + " ORDER BY rowid";
        EXPECT_EQ(query(dir.file("a.MDB"), sql), query(dir.file("b.MDB"), sql)) << table;
    }
}

namespace {

void gzipFile(const std::string& from, const std::string& to)
{
    const std::string text = navdb::test::readFile(from);
    gzFile file = gzopen(to.c_str(), "wb9");
    ASSERT_NE(file, nullptr) << to;
    ASSERT_EQ(gzwrite(file, text.data(), static_cast<unsigned>(text.size())), static_cast<int>(text.size()));
    ASSERT_EQ(gzclose(file), Z_OK);
}

constexpr const char* CSV_FILES[] = {"countries.csv", "regions.csv", "airport-frequencies.csv",
                                     "airports.csv", "runways.csv", "navaids.csv"};

}  // namespace

// The snapshot in the repository keeps its CSV files compressed; a download
// from OurAirports is plain. Both, and a mix of them, give the same tables.
TEST(Import, CompressedAndPlainSourcesGiveIdenticalTables)
{
    TempDir dir;
    navdb::test::copyFixture("world", dir.file("mixed"));
    std::filesystem::create_directory(dir.file("gz"));
    for (const char* name : CSV_FILES) {
        gzipFile(fixtureDir("world") + "/" + name, dir.file(std::string("gz/") + name + ".gz"));
    }
    for (const char* name : {"airports.csv", "navaids.csv"}) {
        gzipFile(dir.file(std::string("mixed/") + name), dir.file(std::string("mixed/") + name + ".gz"));
        std::filesystem::remove(dir.file(std::string("mixed/") + name));
    }
    ImportOptions options;
    options.xplaneNav = fixtureDir("world") + "/nav.dat";
    for (const char* source : {"gz", "mixed"}) {
        options.ourairportsDir = dir.file(source);
        options.output = dir.file(std::string(source) + ".MDB");
        importNavigationData(options);
    }
    options.ourairportsDir = fixtureDir("world");
    options.output = dir.file("plain.MDB");
    importNavigationData(options);
    for (const char* table : {"Regions", "countries", "airports", "runways", "navs", "nav_idents"}) {
        const std::string sql = std::string("SELECT * FROM ") + table + " ORDER BY rowid";
        const Rows plain = query(dir.file("plain.MDB"), sql);
        EXPECT_FALSE(plain.empty()) << table;
        EXPECT_EQ(query(dir.file("gz.MDB"), sql), plain) << table;
        EXPECT_EQ(query(dir.file("mixed.MDB"), sql), plain) << table;
    }
}

// Each source is recorded with where it was read, the date of its data and
// its rows: the snapshot's date where the directory declares one, else the
// file's own; what the caller says of a downloaded file wins over both.
TEST(Import, SourcesAreRecordedWithOriginDateAndRows)
{
    TempDir dir;
    navdb::test::copyFixture("world", dir.file("src"));
    ImportOptions options;
    options.ourairportsDir = dir.file("src");
    options.output = dir.file("a.MDB");
    importNavigationData(options);
    const std::string today = queryValue(options.output, "SELECT substr(Imported, 1, 10) FROM data_sources LIMIT 1");
    EXPECT_EQ(query(options.output, "SELECT File, Origin, DataDate, Rows FROM data_sources WHERE File='airports.csv'"),
              (Rows{{"airports.csv", dir.file("src/airports.csv"), today, "12"}}));
    EXPECT_EQ(queryValue(options.output, "SELECT count(*) FROM data_sources"), "6");

    navdb::test::writeFile(dir.file("src/SNAPSHOT-DATE"), "2026-08-22\n");
    // The copy's own date is today's, whenever the source tree was checked out.
    options.xplaneNav = dir.file("src/nav.dat");
    options.origins["navaids.csv"] = {"https://mirror.example/navaids.csv", "2026-09-30"};
    options.output = dir.file("b.MDB");
    importNavigationData(options);
    EXPECT_EQ(query(options.output, "SELECT File, Origin, DataDate FROM data_sources ORDER BY rowid"),
              (Rows{{"countries.csv", dir.file("src/countries.csv"), "2026-08-22"},
                    {"regions.csv", dir.file("src/regions.csv"), "2026-08-22"},
                    {"airport-frequencies.csv", dir.file("src/airport-frequencies.csv"), "2026-08-22"},
                    {"airports.csv", dir.file("src/airports.csv"), "2026-08-22"},
                    {"runways.csv", dir.file("src/runways.csv"), "2026-08-22"},
                    {"navaids.csv", "https://mirror.example/navaids.csv", "2026-09-30"},
                    {"nav.dat", dir.file("src/nav.dat"), today}}));

    // A SNAPSHOT-DATE that is no date is not taken for one.
    navdb::test::writeFile(dir.file("src/SNAPSHOT-DATE"), "last summer\n");
    EXPECT_EQ(navdb::snapshotDate(dir.file("src")), "");
}

TEST(Import, DataCycleFromTheNavDatHeader)
{
    EXPECT_EQ(navdb::xplaneDataCycle("810 Version - data cycle 2013.10, build 20131334, metadata NavXP810."),
              "2013.10");
    EXPECT_EQ(navdb::xplaneDataCycle("1100 Version - data cycle 2403, build 20240201"), "2403");
    EXPECT_EQ(navdb::xplaneDataCycle("810 Version - fixture for the importer tests"), "");
}

// A plain file beside a compressed one is the one read: a user who unpacked a
// file to edit it gets the edit.
TEST(Import, PlainFileWinsOverItsCompressedCopy)
{
    TempDir dir;
    navdb::test::copyFixture("world", dir.file("src"));
    navdb::test::writeFile(dir.file("src/countries.csv.gz"), "not gzip and not a CSV header either");
    EXPECT_EQ(navdb::ourairportsFile(dir.file("src"), "countries.csv"), dir.file("src/countries.csv"));
    std::filesystem::remove(dir.file("src/countries.csv"));
    EXPECT_EQ(navdb::ourairportsFile(dir.file("src"), "countries.csv"), dir.file("src/countries.csv.gz"));
    std::filesystem::remove(dir.file("src/countries.csv.gz"));
    EXPECT_EQ(navdb::ourairportsFile(dir.file("src"), "countries.csv"), dir.file("src/countries.csv"));
}

namespace {

// An import that must fail: the existing output stays byte for byte and no
// temporary file is left next to it. Returns the error text.
std::string expectFailureKeepsOutput(TempDir& dir, ImportOptions options)
{
    options.output = dir.file("VORS.MDB");
    navdb::test::writeFile(options.output, "previous database");
    const auto before = dir.entries();
    std::string message;
    try {
        importNavigationData(options);
        ADD_FAILURE() << "the import should have failed";
    } catch (const navdb::NavdbError& error) {
        message = error.what();
    }
    EXPECT_EQ(navdb::test::readFile(options.output), "previous database");
    EXPECT_EQ(dir.entries(), before);
    return message;
}

}  // namespace

// A source damaged one way or another fails the import with a message that
// names the file (and the column), and the earlier database is kept: a
// column missing from the last file read, so the failure comes as late as
// possible; a file missing; a compressed file cut off, which is an error
// and not a shorter table.
TEST(ImportFailure, ADamagedSourceIsNamedAndTheEarlierDatabaseKept)
{
    const struct {
        const char* what;
        std::function<void(const TempDir&)> damage;
        std::vector<std::string> named;
    } cases[] = {
        {"a missing column",
         [](const TempDir& dir) {
             navdb::test::editFile(dir.file("src/navaids.csv"), "\"elevation_ft\"", "\"height_ft\"");
         },
         {"navaids.csv", "elevation_ft"}},
        {"a missing file", [](const TempDir& dir) { std::filesystem::remove(dir.file("src/regions.csv")); },
         {"regions.csv"}},
        {"a cut-off compressed file",
         [](const TempDir& dir) {
             gzipFile(dir.file("src/runways.csv"), dir.file("whole.gz"));
             std::filesystem::remove(dir.file("src/runways.csv"));
             const std::string whole = navdb::test::readFile(dir.file("whole.gz"));
             std::filesystem::remove(dir.file("whole.gz"));
             navdb::test::writeFile(dir.file("src/runways.csv.gz"), whole.substr(0, whole.size() - 12));
         },
         {"runways.csv.gz"}},
    };
    for (const auto& c : cases) {
        TempDir dir;
        navdb::test::copyFixture("world", dir.file("src"));
        c.damage(dir);
        ImportOptions options;
        options.ourairportsDir = dir.file("src");
        const std::string message = expectFailureKeepsOutput(dir, options);
        for (const std::string& name : c.named)
            EXPECT_NE(message.find(name), std::string::npos) << c.what << ": " << message;
    }
}

TEST(ImportFailure, MissingNavDatIsAnErrorNotASilentImportWithoutIls)
{
    TempDir dir;
    ImportOptions options;
    options.ourairportsDir = fixtureDir("world");
    options.xplaneNav = dir.file("nav.dat.gz");
    const std::string message = expectFailureKeepsOutput(dir, options);
    EXPECT_NE(message.find("nav.dat.gz"), std::string::npos) << message;
}

TEST(ImportFailure, DirectoryInPlaceOfTheOutputStaysAndNothingIsLeftBeside)
{
    TempDir dir;
    // Refused before anything is written; rename could not replace it anyway.
    std::filesystem::create_directory(dir.file("VORS.MDB"));
    ImportOptions options;
    options.ourairportsDir = fixtureDir("world");
    options.output = dir.file("VORS.MDB");
    EXPECT_THROW(importNavigationData(options), navdb::NavdbError);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"VORS.MDB"}));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("VORS.MDB")));
}

TEST(ImportFailure, UnwritableOutputDirectoryIsNamed)
{
    ImportOptions options;
    options.ourairportsDir = fixtureDir("world");
    options.output = "/nonexistent-navdb-dir/VORS.MDB";
    try {
        importNavigationData(options);
        FAIL() << "expected an error";
    } catch (const navdb::NavdbError& error) {
        EXPECT_NE(std::string(error.what()).find("/nonexistent-navdb-dir"), std::string::npos) << error.what();
    }
}

TEST(Import, SuccessReplacesAnExistingOutput)
{
    // The second name is as long as a file name may be: the temporary file
    // beside it must still fit.
    for (const std::string& name : {std::string("VORS.MDB"), std::string(251, 'n') + ".MDB"}) {
        TempDir dir;
        navdb::test::writeFile(dir.file(name), "previous database");
        ImportOptions options;
        options.ourairportsDir = fixtureDir("world");
        options.output = dir.file(name);
        importNavigationData(options);
        EXPECT_EQ(queryValue(dir.file(name), "SELECT count(*) FROM airports"), "6");
        EXPECT_EQ(dir.entries(), (std::vector<std::string>{name}));
    }
}

TEST(ImportFailure, NoAirportAtAllKeepsThePreviousDatabase)
{
    TempDir dir;
    navdb::test::copyFixture("world", dir.file("src"));
    const std::string airports = navdb::test::readFile(dir.file("src/airports.csv"));
    const std::string header = airports.substr(0, airports.find('\n') + 1);
    ImportOptions options;
    options.ourairportsDir = dir.file("src");
    for (const std::string& rows : {std::string(), std::string("1,KXYZ,small_airport\n")}) {
        navdb::test::writeFile(dir.file("src/airports.csv"), header + rows);
        const std::string message = expectFailureKeepsOutput(dir, options);
        EXPECT_NE(message.find("no airport to import in " + dir.file("src/airports.csv")), std::string::npos)
            << message;
    }
}

TEST(ImportFailure, AStrayQuoteThatTakesInLaterRowsFailsNamingFileAndLine)
{
    struct Case {
        const char* file;
        std::vector<std::pair<std::string, std::string>> edits;
        const char* where;  // file:line of the record the quote opens
        const char* cause;
    };
    const Case cases[] = {
        {"airports.csv", {{",Old Mill Field,", ",\"Old Mill Field,"}}, "airports.csv:6:", "fields, expected 18"},
        {"runways.csv", {{"\"04L\",\"22R\"", "\"04L\",\"22R"}}, "runways.csv:2:", "fields, expected 10"},
        // No quote after the stray one: it runs to the end of the file.
        {"airport-frequencies.csv",
         {{",abc\n", ",\"abc\n"}, {"9,5600,\"RKSI\",\"ATIS\",\"ATIS\"", "9,5600,RKSI,ATIS,ATIS"}},
         "airport-frequencies.csv:9:",
         "never closed"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        navdb::test::copyFixture("world", dir.file("src"));
        std::string text = navdb::test::readFile(dir.file("src/") + c.file);
        for (const auto& [from, to] : c.edits) {
            ASSERT_NE(text.find(from), std::string::npos) << from;
            text.replace(text.find(from), from.size(), to);
        }
        navdb::test::writeFile(dir.file("src/") + c.file, text);
        ImportOptions options;
        options.ourairportsDir = dir.file("src");
        const std::string message = expectFailureKeepsOutput(dir, options);
        EXPECT_NE(message.find(dir.file("src/") + c.where), std::string::npos) << message;
        EXPECT_NE(message.find(c.cause), std::string::npos) << message;
    }
}

TEST(Import, QuotedTextOverSeveralLinesAndAnOpenQuoteOnTheLastLineStillImport)
{
    TempDir dir;
    navdb::test::copyFixture("world", dir.file("src"));
    navdb::test::editFile(dir.file("src/airports.csv"), "Manhattan, New York", "Manhattan,\r\nNew York");
    // The last row of the file loses its closing quote: it takes in nothing
    // but the final line end and is skipped as before.
    navdb::test::editFile(dir.file("src/navaids.csv"), ",\"AU\"", ",\"AU", true);
    ImportOptions options;
    options.ourairportsDir = dir.file("src");
    options.output = dir.file("VORS.MDB");
    importNavigationData(options);
    EXPECT_EQ(queryValue(options.output, "SELECT count(*) FROM airports"), "6");
    EXPECT_EQ(queryValue(options.output, "SELECT count(*) FROM navs"), "9");
}

TEST(ImportFailure, OutputOntoAnInputOrASpecialFileIsRefusedBeforeWriting)
{
    TempDir dir;
    navdb::test::copyFixture("world", dir.file("src"));
    std::filesystem::create_symlink(dir.file("src/navaids.csv"), dir.file("link"));
    std::filesystem::create_symlink("/dev/null", dir.file("null"));
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    const auto before = dir.entries();

    ImportOptions options;
    options.ourairportsDir = dir.file("src");
    options.xplaneNav = dir.file("src/nav.dat");
    for (const std::string& output : {dir.file("src/airports.csv"), dir.path() + "/./src/../src/regions.csv",
                                      dir.file("link"), dir.file("src/nav.dat"), dir.file("null"), dir.file("fifo")}) {
        options.output = output;
        try {
            importNavigationData(options);
            ADD_FAILURE() << "wrote the database to " << output;
        } catch (const navdb::NavdbError& error) {
            EXPECT_NE(std::string(error.what()).find("will not write the database to " + output), std::string::npos)
                << error.what();
        }
    }
    for (const char* file : {"airports.csv", "regions.csv", "navaids.csv", "nav.dat"}) {
        EXPECT_TRUE(navdb::test::readFile(dir.file("src/") + file) ==
                    navdb::test::readFile(fixtureDir("world") + "/" + file))
            << file << " was changed";
    }
    EXPECT_EQ(dir.entries(), before);
    EXPECT_EQ(std::filesystem::read_symlink(dir.file("null")), "/dev/null");
    EXPECT_TRUE(std::filesystem::is_fifo(dir.file("fifo")));
}

namespace {

// Runs body in a child process with the termination signals at their usual
// disposition and returns its wait status.
template <class Body>
int inChild(Body&& body)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        for (const int signo : {SIGINT, SIGTERM, SIGHUP}) {
            std::signal(signo, SIG_DFL);
        }
        body();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
}

}  // namespace

TEST(ImportInterrupted, TerminationSignalsRemoveTheTemporaryFile)
{
    TempDir dir;
    navdb::test::writeFile(dir.file("VORS.MDB"), "previous database");
    for (const int signo : {SIGINT, SIGTERM, SIGHUP}) {
        const int status = inChild([&] {
            navdb::OutputFile output(dir.file("VORS.MDB"));
            navdb::test::writeFile(output.tempPath(), "half a database");
            ::raise(signo);
        });
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signo) << signo << ": status " << status;
        EXPECT_EQ(dir.entries(), (std::vector<std::string>{"VORS.MDB"})) << signo;
        EXPECT_EQ(navdb::test::readFile(dir.file("VORS.MDB")), "previous database");
    }
}

TEST(ImportInterrupted, LeftoversOfKilledImportsGoButNotThoseOfRunningOnes)
{
    TempDir dir;
    const std::string output = dir.file("VORS.MDB");
    // One import still running (this process) and one killed, whose file
    // nothing could remove.
    const navdb::OutputFile running(output);
    inChild([&] {
        navdb::OutputFile file(output);
        ::raise(SIGKILL);
    });
    ASSERT_EQ(dir.entries().size(), 2u);

    ImportOptions options;
    options.ourairportsDir = fixtureDir("world");
    options.output = output;
    importNavigationData(options);
    auto entries = dir.entries();
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"VORS.MDB", std::filesystem::path(running.tempPath()).filename()}));
}

// A simulator range beyond any real station's would pair every station of
// the world with every other in the best-route search: the row is refused
// and named, as a negative or unreadable one is. CANARSIE (ID 3) is 25 nm in
// the fixture; X-Plane's longest real one is 500 nm.
TEST(Import, SimulatorRangesBeyondAnyStationsAreRefusedAndTheRowNamed)
{
    const struct {
        const char* range;
        const char* stored;  // "NULL": refused
    } cases[] = {
        {"25", "25.0"},    {"500", "500.0"}, {"500.01", "NULL"}, {"20000", "NULL"}, {"1e308", "NULL"},
        {"inf", "NULL"},   {"nan", "NULL"},  {"0", "NULL"},      {"-40", "NULL"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        navdb::test::copyFixture("world", dir.file("src"));
        navdb::test::editFile(dir.file("src/nav.dat"), "11230  25  -11.0 CRI",
                              std::string("11230  ") + c.range + "  -11.0 CRI");
        ImportOptions options;
        options.ourairportsDir = dir.file("src");
        options.xplaneNav = dir.file("src/nav.dat");
        options.output = dir.file("VORS.MDB");
        const ImportResult result = importNavigationData(options);
        EXPECT_EQ(queryValue(options.output, "SELECT SimulatorRange FROM nav_coverage WHERE ID=3"), c.stored)
            << c.range;
        std::string reasons;
        for (const auto& skipped : result.skipped) {
            for (const std::string& reason : skipped.firstReasons())
                reasons += reason + "\n";
        }
        const bool named = reasons.find(std::string("'") + c.range + "'") != std::string::npos;
        EXPECT_EQ(named, std::string(c.stored) == "NULL") << c.range << ": " << reasons;
        if (std::string(c.range) == "20000") {
            EXPECT_NE(reasons.find("nav.dat:11: VOR range '20000' is beyond any station's 500 nm"), std::string::npos)
                << reasons;
        }
    }
}
