// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/Importer.h"

#include "tools/navdb/AirportSearchRows.h"
#include "tools/navdb/Coordinates.h"
#include "tools/navdb/CsvReader.h"
#include "tools/navdb/FactTables.h"
#include "tools/navdb/NavdbError.h"
#include "tools/navdb/Numbers.h"
#include "tools/navdb/OutputFile.h"
#include "tools/navdb/OutputTarget.h"
#include "tools/navdb/LineReader.h"
#include "tools/navdb/Schema.h"
#include "tools/navdb/SourceNotes.h"
#include "tools/navdb/SourceRows.h"
#include "tools/navdb/SqliteDb.h"
#include "tools/navdb/StationCoverage.h"
#include "tools/navdb/Surface.h"
#include "tools/navdb/XplaneIls.h"

#include <array>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <optional>
#include <unordered_map>

namespace navdb {

namespace {

constexpr double NO_FREQUENCY = -1.0;

struct Continent {
    std::string_view code;
    std::string_view name;
};

// Also the order of the Regions rows.
constexpr std::array<Continent, 7> CONTINENTS{{
    {"AF", "Africa"}, {"AN", "Antarctica"}, {"AS", "Asia"}, {"EU", "Europe"},
    {"NA", "North America"}, {"OC", "Oceania"}, {"SA", "South America"},
}};

std::optional<std::size_t> continentIndex(std::string_view code)
{
    for (std::size_t i = 0; i < CONTINENTS.size(); ++i) {
        if (CONTINENTS[i].code == code) {
            return i;
        }
    }
    return std::nullopt;
}

// Every OurAirports file the import reads.
constexpr std::array<const char*, 6> SOURCE_FILES{
    {"countries.csv", "regions.csv", "airport-frequencies.csv", "airports.csv", "runways.csv", "navaids.csv"}};

struct Country {
    std::string name;
    std::size_t continent;
    bool hasAirport = false;
};

struct Atis {
    int preference;  // 2 for a type of exactly ATIS, 1 for one that contains it
    double mhz;
};

class Import {
public:
    explicit Import(const ImportOptions& options) : m_options(options) {}

    ImportResult run();

private:
    std::string sourcePath(const char* file) const { return ourairportsFile(m_options.ourairportsDir, file); }
    SkippedRows& skippedFor(const std::string& path);

    void readCountries(CsvSource& source);
    void readRegions(CsvSource& source);
    void readAtis(CsvSource& source);
    void importAirports(CsvSource& source, SqliteDb& db);
    void requireAirports(const CsvSource& source) const;
    void importRunways(CsvSource& source, SqliteDb& db);
    void importNavaids(CsvSource& source, SqliteDb& db);
    void importRegionsAndCountries(SqliteDb& db);
    void checkCancelled() const;
    SourceNote noteFor(const char* file, const CsvSource& source) const;
    SourceNote xplaneNote() const;

    const ImportOptions& m_options;
    ImportResult m_result;

    std::unordered_map<std::string, Country> m_countries;
    std::vector<std::string> m_countryOrder;  // codes in countries.csv order
    std::unordered_map<std::string, std::string> m_regionNames;
    std::unordered_map<std::string, Atis> m_atis;
    std::unordered_map<std::string, long long> m_airportIds;
    IlsTable m_ils;
    SimulatorRanges m_vorRanges;
    SimulatorRanges m_ndbRanges;
};

SkippedRows& Import::skippedFor(const std::string& path)
{
    m_result.skipped.emplace_back(path);
    return m_result.skipped.back();
}

ImportResult Import::run()
{
    const auto start = std::chrono::steady_clock::now();
    // Every reference into m_result.skipped must stay valid while it grows.
    m_result.skipped.reserve(7);

    std::vector<std::string> inputs;
    for (const char* file : SOURCE_FILES) {
        inputs.push_back(sourcePath(file));
    }
    if (!m_options.xplaneNav.empty()) {
        inputs.push_back(m_options.xplaneNav);
    }
    checkOutputTarget(m_options.output, inputs);

    CsvSource countries(sourcePath("countries.csv"), skippedFor(sourcePath("countries.csv")));
    CsvSource regions(sourcePath("regions.csv"), skippedFor(sourcePath("regions.csv")));
    CsvSource frequencies(sourcePath("airport-frequencies.csv"),
                          skippedFor(sourcePath("airport-frequencies.csv")));
    CsvSource airports(sourcePath("airports.csv"), skippedFor(sourcePath("airports.csv")));
    CsvSource runways(sourcePath("runways.csv"), skippedFor(sourcePath("runways.csv")));
    CsvSource navaids(sourcePath("navaids.csv"), skippedFor(sourcePath("navaids.csv")));
    if (!m_options.xplaneNav.empty()) {
        SkippedRows& navSkipped = skippedFor(m_options.xplaneNav);
        m_ils = readXplaneIls(m_options.xplaneNav, navSkipped);
        m_vorRanges = readXplaneVorRanges(m_options.xplaneNav, navSkipped);
        m_ndbRanges = readXplaneNdbRanges(m_options.xplaneNav, navSkipped);
    }

    readCountries(countries);
    readRegions(regions);
    readAtis(frequencies);
    checkCancelled();

    OutputFile output(m_options.output);
    {
        SqliteDb db(output.tempPath());
        // The file is thrown away on any failure, so neither a rollback
        // journal nor syncing during the import buys anything.
        db.exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA locking_mode=EXCLUSIVE;");
        db.exec("BEGIN");
        createTables(db);
        checkCancelled();
        importAirports(airports, db);
        requireAirports(airports);
        checkCancelled();
        importRunways(runways, db);
        checkCancelled();
        importNavaids(navaids, db);
        importRegionsAndCountries(db);
        checkCancelled();
        createIndexes(db);
        std::vector<SourceNote> notes{noteFor("countries.csv", countries), noteFor("regions.csv", regions),
                                      noteFor("airport-frequencies.csv", frequencies),
                                      noteFor("airports.csv", airports), noteFor("runways.csv", runways),
                                      noteFor("navaids.csv", navaids)};
        if (!m_options.xplaneNav.empty()) {
            notes.push_back(xplaneNote());
        }
        writeSourceNotes(db, notes);
        checkCancelled();
        db.exec("COMMIT");
        db.close();
    }
    output.commit();

    m_result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return m_result;
}

void Import::checkCancelled() const
{
    if (m_options.cancelled && m_options.cancelled()) {
        throw ImportCancelled();
    }
}

SourceNote Import::noteFor(const char* file, const CsvSource& source) const
{
    SourceNote note;
    note.file = file;
    note.rows = static_cast<long long>(source.rows);
    if (const auto known = m_options.origins.find(file); known != m_options.origins.end()) {
        note.origin = known->second.origin;
        note.date = known->second.date;
    } else {
        note.origin = sourcePath(file);
        note.date = snapshotDate(m_options.ourairportsDir);
        if (note.date.empty()) {
            note.date = fileDate(note.origin);
        }
    }
    return note;
}

SourceNote Import::xplaneNote() const
{
    SourceNote note;
    note.file = "nav.dat";
    note.origin = m_options.xplaneNav;
    note.date = fileDate(m_options.xplaneNav);
    note.rows = static_cast<long long>(m_ils.size());
    LineReader reader(m_options.xplaneNav);
    std::string line;
    if (reader.next(line) && reader.next(line)) {
        note.version = xplaneDataCycle(line);
    }
    return note;
}

void Import::readCountries(CsvSource& source)
{
    const auto code = source.column("code");
    const auto name = source.column("name");
    const auto continent = source.column("continent");
    source.forEachRow([&](const CsvRecord& record) {
        const std::string key(trimBlanks(record.fields[code]));
        const auto index = continentIndex(upperTrimmed(record.fields[continent]));
        if (key.empty()) {
            source.skipped->add(record.line, "empty country code");
        } else if (!index) {
            source.skipped->add(record.line, "unknown continent '" + record.fields[continent] + "'");
        } else if (!m_countries.try_emplace(key, Country{record.fields[name], *index}).second) {
            source.skipped->add(record.line, "duplicate country code '" + key + "'");
        } else {
            m_countryOrder.push_back(key);
        }
    });
}

void Import::readRegions(CsvSource& source)
{
    const auto code = source.column("code");
    const auto name = source.column("name");
    source.forEachRow([&](const CsvRecord& record) {
        m_regionNames.try_emplace(std::string(trimBlanks(record.fields[code])), record.fields[name]);
    });
}

void Import::readAtis(CsvSource& source)
{
    const auto ident = source.column("airport_ident");
    const auto type = source.column("type");
    const auto frequency = source.column("frequency_mhz");
    source.forEachRow([&](const CsvRecord& record) {
        const std::string kind = upperTrimmed(record.fields[type]);
        const int preference = kind == "ATIS" ? 2 : kind.find("ATIS") != std::string::npos ? 1 : 0;
        if (preference == 0) {
            return;
        }
        const auto mhz = parseNumber(record.fields[frequency]);
        if (!mhz || *mhz <= 0.0) {
            skipBadField(source, record, frequency, "frequency");
            return;
        }
        auto [it, inserted] = m_atis.try_emplace(std::string(trimBlanks(record.fields[ident])), Atis{preference, *mhz});
        if (!inserted && it->second.preference < preference) {
            it->second = Atis{preference, *mhz};
        }
    });
}

void Import::importAirports(CsvSource& source, SqliteDb& db)
{
    const auto ident = source.column("ident");
    const auto type = source.column("type");
    const auto name = source.column("name");
    const auto latitude = source.column("latitude_deg");
    const auto longitude = source.column("longitude_deg");
    const auto elevation = source.column("elevation_ft");
    const auto country = source.column("iso_country");
    const auto region = source.column("iso_region");
    const auto municipality = source.column("municipality");
    const auto iata = source.column("iata_code");

    FactTables facts(db);
    AirportSearchRows search;
    Statement insert(db,
                     "INSERT INTO airports (ID, Ident, Name, region, country, state, city, LatDir, LatMajor,"
                     " LatMinor, LongDir, LongMajor, LongMinor, Elevation, Frequency)"
                     " VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    long long nextId = 1;
    source.forEachRow([&](const CsvRecord& record) {
        const std::string kind = upperTrimmed(record.fields[type]);
        const bool wanted = kind == "SMALL_AIRPORT" || kind == "MEDIUM_AIRPORT" || kind == "LARGE_AIRPORT" ||
                            kind == "SEAPLANE_BASE" || (kind == "HELIPORT" && m_options.includeHeliports);
        if (!wanted) {
            return;
        }
        const std::string key(trimBlanks(record.fields[ident]));
        if (key.empty()) {
            source.skipped->add(record.line, "empty ident");
            return;
        }
        const auto position = readPosition(source, record, latitude, longitude);
        if (!position) {
            return;
        }
        const auto countryIt = m_countries.find(std::string(trimBlanks(record.fields[country])));
        if (countryIt == m_countries.end()) {
            source.skipped->add(record.line, "unknown country '" + record.fields[country] + "'");
            return;
        }
        std::optional<long long> feet;
        if (!readOptionalWhole(source, record, elevation, "elevation", feet)) {
            return;
        }
        // Runways and frequencies find their airport by ident, so a second
        // airport with the same ident could only take the first one's.
        if (!m_airportIds.try_emplace(key, nextId).second) {
            source.skipped->add(record.line, "duplicate ident '" + key + "'");
            return;
        }

        const std::string regionCode(trimBlanks(record.fields[region]));
        const auto regionIt = m_regionNames.find(regionCode);
        const auto atisIt = m_atis.find(key);
        Country& owner = countryIt->second;
        owner.hasAirport = true;

        insert.bind(1, nextId)
            .bind(2, key)
            .bind(3, record.fields[name])
            .bind(4, CONTINENTS[owner.continent].name)
            .bind(5, owner.name)
            .bind(6, regionIt != m_regionNames.end() ? regionIt->second : regionCode)
            .bind(7, record.fields[municipality]);
        bindPosition(insert, 8, *position);
        insert.bind(14, feet).bind(15, atisIt != m_atis.end() ? atisIt->second.mhz : NO_FREQUENCY);
        insert.run();
        facts.addAirport(nextId, position->latitudeDegrees, position->longitudeDegrees, record.fields[iata],
                         record.fields[country]);
        search.add(nextId, key, record.fields[iata], record.fields[name], record.fields[municipality],
                   airportRank(kind));
        ++nextId;
        ++m_result.rows.airports;
    });
    search.write(db);
}

// A database without airports offers the pilot nothing to choose, so it
// must not take the place of one that does.
void Import::requireAirports(const CsvSource& source) const
{
    if (m_result.rows.airports > 0) {
        return;
    }
    std::string message = "no airport to import in " + sourcePath("airports.csv");
    const SkippedRows& skipped = *source.skipped;
    if (skipped.count() > 0) {
        message += ": " + std::to_string(skipped.count()) + " malformed row" + (skipped.count() == 1 ? "" : "s") +
                   ", first: " + skipped.firstReasons().front();
    }
    throw NavdbError(message);
}

void Import::importRunways(CsvSource& source, SqliteDb& db)
{
    const auto airport = source.column("airport_ident");
    const auto length = source.column("length_ft");
    const auto surface = source.column("surface");
    const auto closed = source.column("closed");
    const auto lowEnd = source.column("le_ident");
    const auto highEnd = source.column("he_ident");

    Statement insert(db, "INSERT INTO runways (airport_id, Number, Length, Type, ILS) VALUES (?,?,?,?,?)");
    source.forEachRow([&](const CsvRecord& record) {
        if (trimBlanks(record.fields[closed]) == "1") {
            return;
        }
        // A runway of an airport that was filtered out (closed, heliport,
        // balloon port) is expected, not malformed.
        const std::string airportIdent(trimBlanks(record.fields[airport]));
        const auto airportIt = m_airportIds.find(airportIdent);
        if (airportIt == m_airportIds.end()) {
            return;
        }
        std::optional<long long> feet;
        if (!readOptionalWhole(source, record, length, "length", feet)) {
            return;
        }
        const std::string type = surfaceName(record.fields[surface]);
        for (const auto column : {lowEnd, highEnd}) {
            const std::string_view end = trimBlanks(record.fields[column]);
            if (end.empty()) {
                continue;
            }
            const auto ils = m_ils.find(airportIdent, end);
            if (ils) {
                ++m_result.runwayEndsWithIls;
            }
            insert.bind(1, airportIt->second)
                .bind(2, end)
                .bind(3, feet)
                .bind(4, type)
                .bind(5, ils.value_or(NO_FREQUENCY));
            insert.run();
            ++m_result.rows.runways;
        }
    });
}

void Import::importNavaids(CsvSource& source, SqliteDb& db)
{
    const auto ident = source.column("ident");
    const auto name = source.column("name");
    const auto type = source.column("type");
    const auto frequency = source.column("frequency_khz");
    const auto latitude = source.column("latitude_deg");
    const auto longitude = source.column("longitude_deg");
    const auto elevation = source.column("elevation_ft");
    const auto country = source.column("iso_country");
    const auto slavedVariation = source.column("slaved_variation_deg");
    const auto surveyedVariation = source.column("magnetic_variation_deg");
    // Older copies of the file have no power column: their stations are all
    // of the default class.
    const auto power = source.header.find("power");
    const auto usageType = source.header.find("usageType");

    FactTables facts(db);
    StationCoverageRows coverage(db);
    NdbCoverageRows ndbCoverage(db);
    Statement insert(db,
                     "INSERT INTO navs (ID, Name, type, LatDir, LatMajor, LatMinor, LongDir,"
                     " LongMajor, LongMinor, Elevation, Frequency) VALUES (?,?,?,?,?,?,?,?,?,?,?)");
    long long nextId = 1;
    source.forEachRow([&](const CsvRecord& record) {
        const auto position = readPosition(source, record, latitude, longitude);
        if (!position) {
            return;
        }
        std::optional<long long> feet;
        if (!readOptionalWhole(source, record, elevation, "elevation", feet)) {
            return;
        }
        const std::string kind = upperTrimmed(record.fields[type]);
        const bool vor = kind == "VOR" || kind == "VOR-DME" || kind == "VORTAC";
        // VHF aids are tuned in MHz, NDBs in kHz.
        const bool vhf = vor || kind == "DME" || kind == "TACAN";
        double stored = NO_FREQUENCY;
        if (!trimBlanks(record.fields[frequency]).empty()) {
            const auto khz = parseNumber(record.fields[frequency]);
            if (!khz) {
                skipBadField(source, record, frequency, "frequency");
                return;
            }
            // The source writes -1 for an aid without a frequency.
            if (*khz > 0.0) {
                stored = vhf ? *khz / 1000.0 : *khz;
            }
        }

        insert.bind(1, nextId)
            .bind(2, record.fields[name])
            .bind(3, vor ? std::string_view("VOR") : std::string_view(record.fields[type]));
        bindPosition(insert, 4, *position);
        insert.bind(10, feet).bind(11, stored);
        insert.run();
        facts.addNav(nextId, record.fields[ident], record.fields[type], position->latitudeDegrees,
                     position->longitudeDegrees, record.fields[country],
                     stationDeclination(record.fields[slavedVariation], record.fields[surveyedVariation]));
        if (vor) {
            coverage.add(nextId, power ? std::string_view(record.fields[*power]) : std::string_view(),
                         m_vorRanges.find(record.fields[ident], position->latitudeDegrees,
                                          position->longitudeDegrees));
        } else if (kind == "NDB" || kind == "NDB-DME") {
            ndbCoverage.add(nextId, power ? std::string_view(record.fields[*power]) : std::string_view(),
                            usageType ? std::string_view(record.fields[*usageType]) : std::string_view(),
                            m_ndbRanges.find(record.fields[ident], position->latitudeDegrees,
                                             position->longitudeDegrees));
        }
        ++nextId;
        ++m_result.rows.navs;
    });
}

void Import::importRegionsAndCountries(SqliteDb& db)
{
    // Only regions and countries that lead to an airport: an empty one would
    // be a dead end in the pilot's region → country → airport choice.
    std::array<bool, CONTINENTS.size()> used{};
    Statement insertCountry(db, "INSERT INTO countries (name, region) VALUES (?,?)");
    for (const auto& code : m_countryOrder) {
        const Country& country = m_countries.at(code);
        if (!country.hasAirport) {
            continue;
        }
        used[country.continent] = true;
        insertCountry.bind(1, country.name).bind(2, CONTINENTS[country.continent].name);
        insertCountry.run();
        ++m_result.rows.countries;
    }
    Statement insertRegion(db, "INSERT INTO Regions (name) VALUES (?)");
    for (std::size_t i = 0; i < CONTINENTS.size(); ++i) {
        if (used[i]) {
            insertRegion.bind(1, CONTINENTS[i].name);
            insertRegion.run();
            ++m_result.rows.regions;
        }
    }
}

}  // namespace

std::string ourairportsFile(const std::string& directory, const std::string& name)
{
    const std::string plain = directory + "/" + name;
    std::error_code ec;
    if (!std::filesystem::exists(plain, ec) && std::filesystem::is_regular_file(plain + ".gz", ec)) {
        return plain + ".gz";
    }
    return plain;
}

ImportResult importNavigationData(const ImportOptions& options)
{
    return Import(options).run();
}

}  // namespace navdb
