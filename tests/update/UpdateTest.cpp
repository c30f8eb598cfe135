// SPDX-License-Identifier: GPL-3.0-or-later
// meridane-navdb --update against a stand-in for the OurAirports data site
// on loopback, and the faults it must survive: each leaves the database
// byte for byte as it was and nothing behind, and says what went wrong with
// which file.
#include "tools/navdb/CsvReader.h"
#include "tools/navdb/Importer.h"
#include "tests/navdb/NavdbTestSupport.h"
#include "tests/update/UpdateTestSupport.h"
#include "update/DownloadCache.h"
#include "update/HttpDownload.h"
#include "update/NavDataUpdate.h"
#include "update/SourceCheck.h"
#include "update/UpdateError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

using namespace navdb::test;
using update::test::LoopbackServer;
using update::test::ProgramRun;
using update::test::runNavdb;

namespace {

const char* const TABLES[] = {"Regions", "countries", "airports", "runways", "navs", "nav_idents"};

std::vector<std::string> listing(const std::string& dir)
{
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir, ignored)) {
        names.push_back(std::filesystem::relative(entry.path(), dir).string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A home with a database in it (home/data/VORS.MDB) that the update must
// leave alone when it fails, and the files the server offers (home/site).
class UpdateFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(m_home.file("data"));
        writeFile(database(), "the previous database, which no failed update may touch");
        navdb::test::copyFixture("world", m_home.file("site"));
    }

    std::string database() const { return m_home.file("data/VORS.MDB"); }
    std::string cache() const { return m_home.file("cache/meridane"); }
    std::string site(const std::string& file) const { return m_home.file("site/" + file); }

    std::vector<std::string> args(const std::string& url, std::vector<std::string> more = {}) const
    {
        std::vector<std::string> all{"--update", "--source-url", url, "--output", database(), "--xplane-nav",
                                     fixtureDir("world") + "/nav.dat"};
        all.insert(all.end(), more.begin(), more.end());
        return all;
    }

    // The run failed with exit status 1 and a message with every fragment,
    // and left the database, its directory and the cache as they were.
    void expectHarmlessFailure(const ProgramRun& run, const std::vector<std::string>& fragments,
                               const std::vector<std::string>& cacheBefore)
    {
        EXPECT_EQ(run.status, 1) << run.err;
        for (const std::string& fragment : fragments) {
            EXPECT_NE(run.err.find(fragment), std::string::npos) << "no '" << fragment << "' in: " << run.err;
        }
        EXPECT_EQ(readFile(database()), "the previous database, which no failed update may touch");
        EXPECT_EQ(listing(m_home.file("data")), std::vector<std::string>{"VORS.MDB"});
        EXPECT_EQ(listing(cache()), cacheBefore);
    }

    TempDir m_home;
};

}  // namespace

TEST_F(UpdateFixture, DownloadsChecksImportsAndThenAsksOnlyForNewerFiles)
{
    LoopbackServer server(m_home.file("site"), m_home.file("requests"));
    const ProgramRun first = runNavdb(m_home.path(), args(server.url("ok"), {"--force"}));
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_NE(first.out.find("airports.csv: downloaded"), std::string::npos) << first.out;
    EXPECT_NE(first.out.find("data of 2026-08-22"), std::string::npos) << first.out;
    // Not a terminal: no progress bar, and the skipped rows of the fixture
    // are named by their address, not by where they were staged.
    EXPECT_EQ(first.err.find('\r'), std::string::npos);
    EXPECT_NE(first.err.find(server.url("ok") + "airports.csv:7: bad latitude"), std::string::npos) << first.err;
    EXPECT_EQ(first.err.find(".update-"), std::string::npos) << first.err;

    // The same tables as an import of the same files.
    TempDir direct;
    navdb::ImportOptions options;
    options.ourairportsDir = fixtureDir("world");
    options.xplaneNav = fixtureDir("world") + "/nav.dat";
    options.output = direct.file("VORS.MDB");
    navdb::importNavigationData(options);
    for (const char* table : TABLES) {
        const std::string sql = std::string("SELECT * FROM ") + table + " ORDER BY rowid";
        EXPECT_EQ(query(database(), sql), query(options.output, sql)) << table;
    }
    EXPECT_EQ(query(database(), "SELECT Origin, DataDate, Rows FROM data_sources WHERE File='countries.csv'"),
              (Rows{{server.url("ok") + "countries.csv", "2026-08-22", "6"}}));
    // The fixture's nav.dat names no data cycle.
    EXPECT_EQ(queryValue(database(), "SELECT Version FROM data_sources WHERE File='nav.dat'"), "NULL");

    const ProgramRun second = runNavdb(m_home.path(), args(server.url("ok"), {"--force"}));
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_NE(second.out.find("navaids.csv: unchanged, data of 2026-08-22"), std::string::npos) << second.out;
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 12u);
    for (std::size_t i = 6; i < 12; ++i) {
        EXPECT_EQ(requests[i].substr(requests[i].size() - 3), "304") << requests[i];
    }
    EXPECT_EQ(query(database(), "SELECT * FROM airports ORDER BY rowid"),
              query(options.output, "SELECT * FROM airports ORDER BY rowid"));

    // A changed file is sent again, the others are not.
    navdb::test::editFile(site("navaids.csv"), "VOR-DME", "VORTAC");
    const ProgramRun third = runNavdb(m_home.path(), args(server.url("ok"), {"--force"}));
    ASSERT_EQ(third.status, 0) << third.err;
    EXPECT_NE(third.out.find("navaids.csv: downloaded"), std::string::npos) << third.out;
    EXPECT_NE(third.out.find("airports.csv: unchanged"), std::string::npos) << third.out;
}

TEST_F(UpdateFixture, EachFaultFailsNamingTheFileAndTheCauseAndChangesNothing)
{
    LoopbackServer server(m_home.file("site"), m_home.file("requests"));
    struct Case {
        std::string url;
        std::vector<std::string> extra;
        std::vector<std::string> fragments;
    };
    const std::vector<Case> cases{
        {update::test::deadServerUrl(), {"--force"}, {"countries.csv", "cannot download", "127.0.0.1"}},
        {server.url("404-runways.csv"), {"--force"}, {"runways.csv", "404 Not Found"}},
        {server.url("html-airports.csv"), {"--force"}, {"airports.csv", "web page"}},
        {server.url("cut-navaids.csv"), {"--force"}, {"navaids.csv", "cut off"}},
        {server.url("stall-regions.csv"), {"--force", "--timeout", "1"}, {"regions.csv", "sent nothing for 1 seconds"}},
        // The fixture is far smaller than the snapshot: taken only when forced.
        {server.url("ok"), {}, {"countries.csv", "only 6 rows", "--force"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        const auto start = std::chrono::steady_clock::now();
        expectHarmlessFailure(runNavdb(m_home.path(), args(c.url, c.extra)), c.fragments, {});
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    }
}

TEST_F(UpdateFixture, RenamedOrMissingColumnFailsNamingFileAndColumn)
{
    LoopbackServer server(m_home.file("site"), m_home.file("requests"));
    navdb::test::editFile(site("navaids.csv"), "\"elevation_ft\"", "\"elevation\"");
    expectHarmlessFailure(runNavdb(m_home.path(), args(server.url("ok"), {"--force"})),
                          {server.url("ok") + "navaids.csv", "missing column 'elevation_ft'"}, {});

    navdb::test::copyFixture("world", m_home.file("site2"));
    std::filesystem::remove_all(m_home.file("site"));
    std::filesystem::rename(m_home.file("site2"), m_home.file("site"));
    // countries.csv without its continent column (the first one).
    std::string countries = readFile(site("countries.csv"));
    std::string trimmed;
    for (std::size_t start = 0; start < countries.size();) {
        const std::size_t end = countries.find('\n', start);
        std::string line = countries.substr(start, end - start);
        trimmed += line.substr(line.find(',') + 1) + "\n";
        start = end == std::string::npos ? countries.size() : end + 1;
    }
    writeFile(site("countries.csv"), trimmed);
    expectHarmlessFailure(runNavdb(m_home.path(), args(server.url("ok"), {"--force"})),
                          {"countries.csv", "missing column 'continent'"}, {});
}

TEST_F(UpdateFixture, DiskFullWhileDownloadingOrImporting)
{
    LoopbackServer server(m_home.file("site"), m_home.file("requests"));
    // Files may grow to 1 kB: airports.csv (1.4 kB) cannot be written.
    expectHarmlessFailure(runNavdb(m_home.path(), args(server.url("ok"), {"--force"}), "ulimit -f 1; trap '' XFSZ; "),
                          {"airports.csv", "File too large"}, {});
    // 40 kB: every download fits, the database (some 90 kB) does not.
    expectHarmlessFailure(runNavdb(m_home.path(), args(server.url("ok"), {"--force"}), "ulimit -f 40; trap '' XFSZ; "),
                          {"VORS.MDB", "disk is full"}, {});
}

TEST_F(UpdateFixture, CtrlCHalfWayStopsCleanly)
{
    LoopbackServer server(m_home.file("site"), m_home.file("requests"));
    update::test::RunningNavdb running(m_home.path(), args(server.url("slow-airports.csv"), {"--force"}));
    // Wait until airports.csv, sent slowly, has begun to arrive.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    bool begun = false;
    while (!begun && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        for (const std::string& request : server.requests()) {
            begun = begun || request.find("airports.csv 200") != std::string::npos;
        }
    }
    ASSERT_TRUE(begun);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ::kill(running.pid(), SIGINT);
    expectHarmlessFailure(running.finish(), {"cancelled"}, {});
}

TEST_F(UpdateFixture, SecondUpdateWhileOneRunsIsRefused)
{
    LoopbackServer server(m_home.file("site"), m_home.file("requests"));
    std::filesystem::create_directories(cache());
    {
        const update::UpdateLock running(cache());
        expectHarmlessFailure(runNavdb(m_home.path(), args(server.url("ok"), {"--force"})),
                              {"another update", cache()}, {});
    }
    EXPECT_TRUE(server.requests().empty());

    // What an update killed outright left behind goes with the next one.
    std::filesystem::create_directories(cache() + "/.update-Kx81Qa");
    writeFile(cache() + "/.update-Kx81Qa/airports.csv", "half a download");
    EXPECT_EQ(runNavdb(m_home.path(), args(server.url("ok"), {"--force"})).status, 0);
    for (const std::string& name : listing(cache())) {
        EXPECT_EQ(name.find(".update-"), std::string::npos) << name;
    }
}

TEST_F(UpdateFixture, CancelDuringTheImportKeepsDatabaseAndCache)
{
    LoopbackServer server(m_home.file("site"), m_home.file("requests"));
    update::UpdateOptions options;
    options.sourceUrl = server.url("ok");
    options.output = database();
    options.cacheDir = cache();
    options.xplaneNav = fixtureDir("world") + "/nav.dat";
    int importSteps = 0;
    const auto cancelInImport = [&](const update::UpdateProgress& step) {
        return step.stage != update::UpdateProgress::Stage::Import || ++importSteps < 3;
    };
    EXPECT_THROW(update::updateNavigationData(options, cancelInImport), update::UpdateCancelled);
    EXPECT_EQ(importSteps, 3);
    expectHarmlessFailure(ProgramRun{1, "", "cancelled"}, {}, {});

    // Under half the rows of a reference is refused unless forced.
    options.referenceRows = {{"runways.csv", 100}};
    try {
        update::updateNavigationData(options, nullptr);
        ADD_FAILURE() << "a small runways.csv was taken";
    } catch (const update::UpdateError& error) {
        EXPECT_NE(std::string(error.what()).find("runways.csv: the download has only 12 rows"), std::string::npos)
            << error.what();
    }
    options.force = true;
    update::updateNavigationData(options, nullptr);
    EXPECT_EQ(queryValue(database(), "SELECT count(*) FROM airports"), "6");
}

TEST(DownloadCache, ValidatorsOnlyForTheAddressTheyCameFrom)
{
    TempDir dir;
    const update::DownloadCache cache(dir.file("cache"));
    writeFile(dir.file("staged"), "code,name\n");
    cache.store("regions.csv", dir.file("staged"), "http://a.example/regions.csv", {"\"v1\"", "Sat, 22 Aug 2026 06:10:00 GMT"});
    const update::Validators same = cache.validators("regions.csv", "http://a.example/regions.csv");
    EXPECT_EQ(same.etag, "\"v1\"");
    EXPECT_EQ(same.lastModified, "Sat, 22 Aug 2026 06:10:00 GMT");
    EXPECT_TRUE(cache.validators("regions.csv", "http://mirror.example/regions.csv").etag.empty());
    std::filesystem::remove(cache.path("regions.csv"));
    EXPECT_TRUE(cache.validators("regions.csv", "http://a.example/regions.csv").etag.empty());
}

TEST(HttpDate, ThreeFormsOfTheStandardAndGarbage)
{
    EXPECT_EQ(update::httpDateToIsoDate("Sat, 22 Aug 2026 06:10:00 GMT"), "2026-08-22");
    EXPECT_EQ(update::httpDateToIsoDate("Saturday, 22-Aug-26 23:59:59 GMT"), "2026-08-22");
    EXPECT_EQ(update::httpDateToIsoDate("Sat Aug 22 00:00:00 2026"), "2026-08-22");
    EXPECT_EQ(update::httpDateToIsoDate("Thu, 31 Dec 2026 23:59:59 GMT"), "2026-12-31");
    EXPECT_EQ(update::httpDateToIsoDate("Fri, 01 Jan 2027 00:00:00 GMT"), "2027-01-01");
    EXPECT_EQ(update::httpDateToIsoDate(""), "");
    EXPECT_EQ(update::httpDateToIsoDate("yesterday-ish"), "");
}

TEST(SourceCheck, SnapshotRowCountsMatchTheSnapshot)
{
    for (const auto& [file, rows] : update::snapshotRows()) {
        navdb::CsvReader reader =
            navdb::CsvReader::fromFile(navdb::ourairportsFile(MERIDANE_TEST_SNAPSHOT_DIR "/ourairports", file));
        navdb::CsvRecord record;
        std::size_t count = 0;
        while (reader.next(record)) {
            ++count;
        }
        EXPECT_EQ(count - 1, rows) << file;
    }
}

// The whole snapshot served as OurAirports serves its files, plain: the
// update gives the very database an import of the snapshot gives.
TEST_F(UpdateFixture, UpdateFromTheSnapshotEqualsImportingIt)
{
    LoopbackServer server(MERIDANE_TEST_SNAPSHOT_DIR "/ourairports", m_home.file("requests"));
    const std::string nav = MERIDANE_TEST_SNAPSHOT_DIR "/xplane/nav.dat.gz";
    const ProgramRun run = runNavdb(m_home.path(), {"--update", "--source-url", server.url("ok"), "--output",
                                                    database(), "--xplane-nav", nav});
    ASSERT_EQ(run.status, 0) << run.err;

    TempDir direct;
    navdb::ImportOptions options;
    options.ourairportsDir = MERIDANE_TEST_SNAPSHOT_DIR "/ourairports";
    options.xplaneNav = nav;
    options.output = direct.file("VORS.MDB");
    navdb::importNavigationData(options);
    for (const char* table : TABLES) {
        const std::string sql = std::string("SELECT count(*), total(rowid) FROM ") + table;
        EXPECT_EQ(query(database(), sql), query(options.output, sql)) << table;
    }
    for (const char* sql : {"SELECT * FROM airports ORDER BY ID", "SELECT * FROM runways ORDER BY rowid",
                            "SELECT * FROM navs ORDER BY ID"}) {
        EXPECT_TRUE(query(database(), sql) == query(options.output, sql)) << sql;
    }
    EXPECT_EQ(queryValue(database(), "SELECT count(*) FROM runways WHERE ILS <> -1.0"),
              queryValue(options.output, "SELECT count(*) FROM runways WHERE ILS <> -1.0"));
    EXPECT_EQ(query(database(), "SELECT File, DataDate, Version FROM data_sources WHERE File IN ('airports.csv', 'nav.dat')"),
              (Rows{{"airports.csv", "2026-08-22", "NULL"}, {"nav.dat", query(options.output, "SELECT DataDate FROM data_sources WHERE File='nav.dat'")[0][0], "2013.10"}}));
}
