// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/StationFactsCache.h"

#include "base/DataFiles.h"
#include "base/WholeFile.h"
#include "data/Database.h"
#include "data/DatabaseFileWatch.h"
#include "search/StationReader.h"

#include <fcntl.h>
#include <zlib.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <type_traits>

namespace search {

namespace {

constexpr char STATION_FACTS_MAGIC[8] = {'M', 'R', 'D', 'N', 'S', 'F', 'C', '\n'};
// Raised whenever what a file holds, or what the reader reads, changes:
// a file of another version is ignored and written anew.
constexpr std::uint32_t STATION_FACTS_FORMAT = 2;
constexpr unsigned char HAS_ELEVATION = 1, HAS_SIMULATOR_RANGE = 2;
// What each station takes: ID, latitude, longitude, which facts it has,
// elevation, simulator range, class.
constexpr std::size_t STATION_RECORD_BYTES = 8 + 8 + 8 + 1 + 8 + 8 + 1;
// Far more stations than the world has: a count beyond it is damage.
constexpr std::uint64_t MOST_STATIONS = 10'000'000;

using Checksum = std::uint32_t;

// zlib's CRC-32: any damage to the file is noticed, and the stations of the
// whole world are summed in a fraction of a millisecond.
Checksum checksumOf(const char* data, std::size_t size)
{
    return static_cast<Checksum>(
        crc32_z(crc32_z(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(data), static_cast<z_size_t>(size)));
}

class Writer {
public:
    template <typename T> void put(const T& value)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        m_bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    void putText(const std::string& text)
    {
        put(static_cast<std::uint32_t>(text.size()));
        m_bytes += text;
    }
    std::string& bytes() { return m_bytes; }

private:
    std::string m_bytes;
};

class Reader {
public:
    Reader(const char* data, std::size_t size) : m_data(data), m_size(size) {}
    template <typename T> bool get(T& value)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        if (m_size - m_at < sizeof value)
            return false;
        std::memcpy(&value, m_data + m_at, sizeof value);
        m_at += sizeof value;
        return true;
    }
    bool getText(std::string& text)
    {
        std::uint32_t length = 0;
        if (!get(length) || m_size - m_at < length)
            return false;
        text.assign(m_data + m_at, length);
        m_at += length;
        return true;
    }
    std::size_t at() const { return m_at; }

private:
    const char* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

void putHeader(Writer& out, const DatabaseFileIdentity& identity, coverage::StationKind kind)
{
    out.put(STATION_FACTS_MAGIC);
    out.put(STATION_FACTS_FORMAT);
    out.put(static_cast<std::uint32_t>(kind));
    out.put(identity.device);
    out.put(identity.inode);
    out.put(identity.size);
    out.put(identity.modifiedSeconds);
    out.put(identity.modifiedNanoseconds);
    out.put(identity.version);
    out.putText(identity.path);
}

// A cache file mapped for reading: the pages come straight from the page
// cache, many a fault, rather than copied into memory of our own.
class MappedFile {
public:
    explicit MappedFile(const std::string& file)
    {
        const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return;
        struct stat status {};
        if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
            void* data = ::mmap(nullptr, static_cast<std::size_t>(status.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
            if (data != MAP_FAILED) {
                m_data = static_cast<const char*>(data);
                m_size = static_cast<std::size_t>(status.st_size);
            }
        }
        ::close(fd);
    }
    ~MappedFile()
    {
        if (m_data != nullptr)
            ::munmap(const_cast<char*>(m_data), m_size);
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    const char* data() const { return m_data; }
    std::size_t size() const { return m_size; }

private:
    const char* m_data = nullptr;
    std::size_t m_size = 0;
};

}  // namespace

std::string encodeStationFacts(const DatabaseFileIdentity& identity, coverage::StationKind kind,
                               const std::vector<coverage::Station>& stations)
{
    Writer out;
    putHeader(out, identity, kind);
    out.put(static_cast<std::uint64_t>(stations.size()));
    for (const coverage::Station& s : stations) {
        out.put(s.id);
        out.put(s.latitude);
        out.put(s.longitude);
        const unsigned char flags =
            (s.elevationFt ? HAS_ELEVATION : 0) | (s.simulatorRangeNm ? HAS_SIMULATOR_RANGE : 0);
        out.put(flags);
        out.put(s.elevationFt.value_or(0.0));
        out.put(s.simulatorRangeNm.value_or(0.0));
        const char serviceClass =
            kind == coverage::StationKind::Ndb ? static_cast<char>(s.ndbClass) : s.serviceClass;
        out.put(serviceClass);
    }
    out.put(checksumOf(out.bytes().data(), out.bytes().size()));
    return std::move(out.bytes());
}

namespace {

// Adds the stations a cache file holds to `stations`; adds nothing and
// returns false for anything but exactly what encodeStationFacts wrote for
// this identity and kind.
bool appendDecoded(const char* bytes, std::size_t size, const DatabaseFileIdentity& identity,
                   coverage::StationKind kind, std::vector<coverage::Station>& stations)
{
    if (bytes == nullptr || size < sizeof(Checksum))
        return false;
    const std::size_t body = size - sizeof(Checksum);
    // The header must be the very one this identity and kind would write,
    // and the size the one its count gives, before a byte more is read:
    // a stranger's file costs nothing however large it is.
    Writer expected;
    putHeader(expected, identity, kind);
    const std::string& header = expected.bytes();
    if (body < header.size() || std::memcmp(bytes, header.data(), header.size()) != 0)
        return false;
    Reader in(bytes + header.size(), body - header.size());
    std::uint64_t count = 0;
    if (!in.get(count) || count > MOST_STATIONS ||
        body != header.size() + sizeof count + static_cast<std::size_t>(count) * STATION_RECORD_BYTES)
        return false;
    Checksum checksum = 0;
    std::memcpy(&checksum, bytes + body, sizeof checksum);
    if (checksum != checksumOf(bytes, body))
        return false;
    const std::size_t before = stations.size();
    stations.reserve(before + static_cast<std::size_t>(count));
    const auto fail = [&] {
        stations.resize(before);
        return false;
    };
    for (std::uint64_t i = 0; i < count; ++i) {
        coverage::Station& s = stations.emplace_back();
        s.kind = kind;
        unsigned char flags = 0;
        double elevation = 0.0, simulator = 0.0;
        char serviceClass = 0;
        if (!in.get(s.id) || !in.get(s.latitude) || !in.get(s.longitude) || !in.get(flags) || !in.get(elevation) ||
            !in.get(simulator) || !in.get(serviceClass))
            return fail();
        if (flags & HAS_ELEVATION)
            s.elevationFt = elevation;
        if (flags & HAS_SIMULATOR_RANGE)
            s.simulatorRangeNm = simulator;
        if (kind == coverage::StationKind::Ndb) {
            if (serviceClass < static_cast<char>(coverage::NdbClass::Locator) ||
                serviceClass > static_cast<char>(coverage::NdbClass::HH))
                return fail();
            s.ndbClass = static_cast<coverage::NdbClass>(serviceClass);
        } else {
            if (serviceClass != 'T' && serviceClass != 'L' && serviceClass != 'H')
                return fail();
            s.serviceClass = serviceClass;
        }
    }
    if (header.size() + in.at() != body)
        return fail();  // more than the count says
    return true;
}

}  // namespace

bool decodeStationFacts(const std::string& bytes, const DatabaseFileIdentity& identity, coverage::StationKind kind,
                        std::vector<coverage::Station>& stations)
{
    std::vector<coverage::Station> decoded;
    if (!appendDecoded(bytes.data(), bytes.size(), identity, kind, decoded))
        return false;
    stations = std::move(decoded);
    return true;
}

std::string defaultStationCacheDir()
{
    const std::string cache = base::userDir(base::UserDir::Cache);
    return cache.empty() ? std::string() : cache + "/meridane";
}

StationFactsCache::StationFactsCache(std::string dir) : m_dir(std::move(dir)) {}

std::string StationFactsCache::fileFor(const std::string& databasePath, coverage::StationKind kind) const
{
    // Two databases whose paths share a checksum take turns in one file;
    // the header tells them apart.
    const Checksum hash = checksumOf(databasePath.data(), databasePath.size());
    char name[64];
    std::snprintf(name, sizeof name, "stations-%08lx-%s.bin", static_cast<unsigned long>(hash),
                  kind == coverage::StationKind::Ndb ? "ndb" : "vor");
    return m_dir + "/" + name;
}

std::vector<coverage::Station> StationFactsCache::searchFacts(CDatabase* database, coverage::StationKind kind) const
{
    std::vector<coverage::Station> stations;
    appendSearchFacts(database, kind, stations);
    return stations;
}

void StationFactsCache::appendSearchFacts(CDatabase* database, coverage::StationKind kind,
                                          std::vector<coverage::Station>& stations) const
{
    m_lastFromCache = false;
    const auto readFromDatabase = [&] {
        StationReader reader(database);
        return kind == coverage::StationKind::Ndb ? reader.readNdbSearchFacts() : reader.readSearchFacts();
    };
    const auto append = [&](std::vector<coverage::Station>&& read) {
        if (stations.empty())
            stations = std::move(read);
        else
            stations.insert(stations.end(), std::make_move_iterator(read.begin()), std::make_move_iterator(read.end()));
    };
    DatabaseFileIdentity identity;
    if (m_dir.empty() || !database->FileIdentity(identity)) {
        append(readFromDatabase());
        return;
    }
    const std::string file = fileFor(identity.path, kind);
    if (load(file, identity, kind, stations)) {
        m_lastFromCache = true;
        return;
    }
    std::vector<coverage::Station> read = readFromDatabase();
    // Stored only when the file stayed as it was all through the reading.
    DatabaseFileIdentity after;
    if (database->FileIdentity(after) && after == identity)
        store(file, identity, kind, read);
    append(std::move(read));
}

bool StationFactsCache::load(const std::string& file, const DatabaseFileIdentity& identity,
                             coverage::StationKind kind, std::vector<coverage::Station>& stations) const
{
    const MappedFile mapped(file);
    return appendDecoded(mapped.data(), mapped.size(), identity, kind, stations);
}

void StationFactsCache::store(const std::string& file, const DatabaseFileIdentity& identity,
                              coverage::StationKind kind, const std::vector<coverage::Station>& stations) const
{
    std::error_code ignored;
    std::filesystem::create_directories(m_dir, ignored);
    // A cache that cannot be written is only slower next time.
    (void)base::replaceFileWhole(file, encodeStationFacts(identity, kind, stations));
}

}  // namespace search
