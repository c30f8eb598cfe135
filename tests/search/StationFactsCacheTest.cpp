// SPDX-License-Identifier: GPL-3.0-or-later
// The stations' search facts kept on disk: what comes back is exactly what
// the database gives, to the last bit; a file of another database, another
// state of the same one, another kind or with any damage is never believed;
// and the cache never makes the planner fail.

#include "tests/support/FixtureDb.h"
#include "data/ConnectionString.h"
#include "data/DBException.h"
#include "data/DatabaseFileWatch.h"
#include "search/StationFactsCache.h"
#include "search/StationReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>

namespace {

using coverage::NdbClass;
using coverage::Station;
using coverage::StationKind;

// Equal to the bit: a cache that rounds a position moves a route.
void ExpectSameStations(const std::vector<Station>& got, const std::vector<Station>& want)
{
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE("station " + std::to_string(i));
        EXPECT_EQ(got[i].id, want[i].id);
        EXPECT_EQ(std::memcmp(&got[i].latitude, &want[i].latitude, sizeof(double)), 0);
        EXPECT_EQ(std::memcmp(&got[i].longitude, &want[i].longitude, sizeof(double)), 0);
        EXPECT_EQ(got[i].elevationFt, want[i].elevationFt);
        EXPECT_EQ(got[i].simulatorRangeNm, want[i].simulatorRangeNm);
        EXPECT_EQ(got[i].kind, want[i].kind);
        EXPECT_EQ(got[i].serviceClass, want[i].serviceClass);
        EXPECT_EQ(got[i].ndbClass, want[i].ndbClass);
        EXPECT_TRUE(got[i].ident.empty());
    }
}

DatabaseFileIdentity SomeIdentity()
{
    DatabaseFileIdentity identity;
    identity.path = "/home/pilot/.local/share/meridane/VORS.MDB";
    identity.device = 2049;
    identity.inode = 1234567;
    identity.size = 22585344;
    identity.modifiedSeconds = 1796083200;
    identity.modifiedNanoseconds = 123456789;
    identity.version = {0, 0, 0, 7, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 2};
    return identity;
}

Station Vor(std::int64_t id, double lat, double lon, char serviceClass, std::optional<double> elevation,
            std::optional<double> simulator)
{
    Station s;
    s.id = id;
    s.latitude = lat;
    s.longitude = lon;
    s.serviceClass = serviceClass;
    s.elevationFt = elevation;
    s.simulatorRangeNm = simulator;
    return s;
}

Station Ndb(std::int64_t id, double lat, double lon, NdbClass ndbClass, std::optional<double> simulator)
{
    Station s = Vor(id, lat, lon, 'L', std::nullopt, simulator);
    s.kind = StationKind::Ndb;
    s.ndbClass = ndbClass;
    return s;
}

// Both hemispheres, both sides of the antimeridian, the poles, values that
// no short decimal gives, and every optional fact present and missing.
std::vector<Station> SampleVors()
{
    return {Vor(1, 40.63, -73.77, 'H', 12.0, 130.0),
            Vor(2, -33.946, 151.177, 'T', std::nullopt, std::nullopt),
            Vor(3, -17.0, 179.99999999999997, 'L', -1312.5, 500.0),
            Vor(4, -17.0, -180.0, 'L', 0.0, 0.1),
            Vor(5, 90.0, 0.0, 'H', 29029.0, std::nullopt),
            Vor(6, -90.0, 1.0 / 3.0, 'T', std::numeric_limits<double>::denorm_min(), 25.0),
            Vor(std::numeric_limits<std::int64_t>::max(), 0.1 + 0.2, -0.0, 'L', std::nullopt, 40.0)};
}

std::vector<Station> SampleNdbs()
{
    return {Ndb(10, -17.75, 177.44, NdbClass::HH, 75.0), Ndb(11, -13.83, -171.999, NdbClass::Locator, std::nullopt),
            Ndb(12, 64.8, -147.9, NdbClass::MH, 25.0), Ndb(13, 1.36, 103.99, NdbClass::H, std::nullopt)};
}

std::string FileBytes(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::string& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace

TEST(StationFactsEncoding, EveryStationComesBackToTheBit)
{
    const DatabaseFileIdentity identity = SomeIdentity();
    for (const auto& [kind, stations] :
         {std::pair{StationKind::Vor, SampleVors()}, std::pair{StationKind::Ndb, SampleNdbs()},
          std::pair{StationKind::Vor, std::vector<Station>{}}}) {
        std::vector<Station> decoded{Vor(99, 1, 1, 'H', 1.0, 1.0)};
        ASSERT_TRUE(search::decodeStationFacts(search::encodeStationFacts(identity, kind, stations), identity, kind,
                                               decoded));
        ExpectSameStations(decoded, stations);
    }
}

// Each fact of the identity on its own, the kind, and the path of another
// database at the same place on another disk.
TEST(StationFactsEncoding, AFileOfAnotherDatabaseStateOrKindIsNotBelieved)
{
    const DatabaseFileIdentity identity = SomeIdentity();
    const std::string bytes = search::encodeStationFacts(identity, StationKind::Vor, SampleVors());
    std::vector<DatabaseFileIdentity> others(8, identity);
    others[0].device += 1;
    others[1].inode += 1;
    others[2].size -= 4096;
    others[3].modifiedSeconds += 1;
    others[4].modifiedNanoseconds += 1;
    others[5].version[3] += 1;  // SQLite's change counter: written in place within one tick
    others[6].path = "/home/pilot/.local/share/meridane/VORS.MDB.old";
    others[7].path = "/home/pilote/données/VORS.MDB";
    for (std::size_t i = 0; i < others.size(); ++i) {
        std::vector<Station> decoded;
        EXPECT_FALSE(search::decodeStationFacts(bytes, others[i], StationKind::Vor, decoded)) << "identity " << i;
        EXPECT_TRUE(decoded.empty()) << "identity " << i;
    }
    std::vector<Station> decoded;
    EXPECT_FALSE(search::decodeStationFacts(bytes, identity, StationKind::Ndb, decoded));
    EXPECT_TRUE(search::decodeStationFacts(bytes, identity, StationKind::Vor, decoded));
}

// Every cut and a flipped bit at every byte are noticed, and so is
// anything added after the checksum.
TEST(StationFactsEncoding, ACutOrDamagedFileIsNotBelieved)
{
    const DatabaseFileIdentity identity = SomeIdentity();
    const std::string bytes = search::encodeStationFacts(identity, StationKind::Ndb, SampleNdbs());
    std::vector<Station> decoded;
    for (std::size_t length = 0; length < bytes.size(); ++length)
        EXPECT_FALSE(search::decodeStationFacts(bytes.substr(0, length), identity, StationKind::Ndb, decoded))
            << "cut at " << length;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        std::string damaged = bytes;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x10);
        EXPECT_FALSE(search::decodeStationFacts(damaged, identity, StationKind::Ndb, decoded)) << "byte " << at;
    }
    EXPECT_FALSE(search::decodeStationFacts(bytes + '\0', identity, StationKind::Ndb, decoded));
    EXPECT_TRUE(decoded.empty());
}

class StationFactsCacheTest : public NavDbTest {
protected:
    std::string CacheDir() const { return m_dir->path() + "/cache/meridane"; }

    void BuildWorld()
    {
        Build(NavRow(1, "Kennedy", "N", 40, 63.0, "W", 73, 77.0, "VOR", "115.9", "12") +
              NavRow(2, "Far", "S", 17, 0.0, "E", 179, 50.0, "VOR", "113.1", "NULL") +
              NavRow(3, "Nadi", "S", 17, 75.0, "E", 177, 44.0, "NDB", "338.0", "59") +
              NavRow(4, "Faleolo", "S", 13, 83.0, "W", 171, 100.0, "NDB-DME", "415.5") +
              NavRow(5, "Damaged", "N", 10, 0.0, "E", 10, 0.0, "VOR") +
              "INSERT INTO nav_facts VALUES (1,40.63,-73.77,'US',-13),(2,-17.0,179.83,'FJ',NULL),"
              "(3,-17.75,177.44,'FJ',NULL),(4,-13.83,-171.999,'WS',NULL),(5,'north',10.0,'XX',NULL);"
              "INSERT INTO nav_coverage VALUES (1,'H',1e308),(2,'T',NULL),(5,'L',40);"
              "INSERT INTO ndb_coverage VALUES (3,'HH',75),(4,'COMLO',NULL);");
    }
};

TEST_F(StationFactsCacheTest, TheSecondReadingComesFromTheCacheAndEqualsTheDatabase)
{
    BuildWorld();
    search::StationReader reader(db());
    const search::StationFactsCache cache(CacheDir());
    for (const StationKind kind : {StationKind::Vor, StationKind::Ndb}) {
        const std::vector<Station> direct =
            kind == StationKind::Vor ? reader.readSearchFacts() : reader.readNdbSearchFacts();
        ExpectSameStations(cache.searchFacts(db(), kind), direct);
        EXPECT_FALSE(cache.lastFromCache());
        ExpectSameStations(cache.searchFacts(db(), kind), direct);
        EXPECT_TRUE(cache.lastFromCache());
    }
    // One file a kind, nothing left half-written.
    EXPECT_EQ(DirectoryEntries(CacheDir()).size(), 2u);
}

// A database imported again in place (or written to by hand) is read again,
// never answered from what the cache kept of it before.
TEST_F(StationFactsCacheTest, ADatabaseWrittenSinceIsReadAgain)
{
    BuildWorld();
    const search::StationFactsCache cache(CacheDir());
    ASSERT_EQ(cache.searchFacts(db(), StationKind::Vor).size(), 2u);
    m_db.reset();
    ExecuteSqlScript(NAVDB_FILE_NAME, NavRow(6, "Added", "S", 33, 0.0, "E", 151, 0.0) +
                                          "INSERT INTO nav_facts VALUES (6,-33.0,151.0,'AU',12.0);");
    m_db = std::make_unique<CDatabase>();
    ASSERT_TRUE(m_db->Open(nullptr, false, true, NAVDB_CONNECT_STRING, true));
    const std::vector<Station> again = cache.searchFacts(db(), StationKind::Vor);
    EXPECT_FALSE(cache.lastFromCache());
    ASSERT_EQ(again.size(), 3u);
    EXPECT_EQ(again[2].id, 6);
    ExpectSameStations(again, search::StationReader(db()).readSearchFacts());
}

// Garbage in the cache file, a file of the other kind under its name, and a
// cache directory that cannot be made: the stations come from the database
// all the same.
TEST_F(StationFactsCacheTest, ABrokenOrUnwritableCacheIsIgnored)
{
    BuildWorld();
    const std::vector<Station> direct = search::StationReader(db()).readNdbSearchFacts();
    const search::StationFactsCache cache(CacheDir());
    ASSERT_EQ(cache.searchFacts(db(), StationKind::Ndb).size(), 2u);
    DatabaseFileIdentity identity;
    ASSERT_TRUE(db()->FileIdentity(identity));
    const std::string file = cache.fileFor(identity.path, StationKind::Ndb);

    WriteBytes(file, "not a cache");
    ExpectSameStations(cache.searchFacts(db(), StationKind::Ndb), direct);
    EXPECT_FALSE(cache.lastFromCache());
    ExpectSameStations(cache.searchFacts(db(), StationKind::Ndb), direct);  // written anew
    EXPECT_TRUE(cache.lastFromCache());

    WriteBytes(file, FileBytes(cache.fileFor(identity.path, StationKind::Vor)));
    ExpectSameStations(cache.searchFacts(db(), StationKind::Ndb), direct);
    EXPECT_FALSE(cache.lastFromCache());

    WriteBytes(m_dir->path() + "/plain-file", "x");
    // No home folder gives no cache folder: nothing is kept anywhere.
    const std::vector<std::string> before = DirectoryEntries(m_dir->path());
    for (const std::string& dir : {m_dir->path() + "/plain-file/meridane", std::string()}) {
        const search::StationFactsCache nowhere(dir);
        for (int round = 0; round < 2; ++round) {
            ExpectSameStations(nowhere.searchFacts(db(), StationKind::Ndb), direct);
            EXPECT_FALSE(nowhere.lastFromCache()) << dir;
        }
    }
    EXPECT_EQ(DirectoryEntries(m_dir->path()), before);
}

// A database without NDB classes says so through the cache as it does
// without it, and leaves no file behind.
TEST_F(StationFactsCacheTest, TheReadersErrorsPassThrough)
{
    Build(NavRow(1, "Nadi", "S", 17, 75.0, "E", 177, 44.0, "NDB", "338.0") + "DROP TABLE ndb_coverage;");
    const search::StationFactsCache cache(CacheDir());
    try {
        cache.searchFacts(db(), StationKind::Ndb);
        FAIL() << "no error";
    } catch (const CDBException& e) {
        EXPECT_NE(std::string(e.what()).find("import it again"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(DirectoryEntries(CacheDir()).empty());
}
