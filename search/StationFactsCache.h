// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coverage/Station.h"

#include <string>
#include <vector>

class CDatabase;
struct DatabaseFileIdentity;

namespace search {

// The stations' search facts (what StationReader::readSearchFacts and
// readNdbSearchFacts give) kept on disk beside the database they came from,
// so that a planner started again reads a few hundred kilobytes rather than
// thousands of rows through the driver, which costs as much as the whole
// listed route.
//
// One file per database and kind, named by a hash of the database's path,
// holding the database file's identity (device, inode, size, modification
// time, SQLite's change counter), the stations and a checksum. A file that
// does not match in every respect is ignored and written anew; written to a
// temporary name and renamed, so a reader never sees half of one. The cache
// is never a reason to fail: where it cannot be read or written, the
// stations come from the database as they always did.
class StationFactsCache {
public:
    // Files go into dir, created where missing; with no dir (no home
    // folder to put it in) nothing is kept and the database is read.
    explicit StationFactsCache(std::string dir);

    // The search facts of the VORs (kind Vor) or the NDBs (kind Ndb) of the
    // database, from the cache where it matches the database file, from the
    // database otherwise (and then stored). Throws what the reader throws.
    std::vector<coverage::Station> searchFacts(CDatabase* database, coverage::StationKind kind) const;
    // The same, added after the stations already in `stations`: the VORs
    // and NDBs of a search in one list, each station built once.
    void appendSearchFacts(CDatabase* database, coverage::StationKind kind,
                           std::vector<coverage::Station>& stations) const;

    // Where the facts of this database file and kind are kept.
    std::string fileFor(const std::string& databasePath, coverage::StationKind kind) const;

    // Whether the last searchFacts came from the cache; for tests and
    // benchmarks.
    bool lastFromCache() const { return m_lastFromCache; }

private:
    bool load(const std::string& file, const DatabaseFileIdentity& identity, coverage::StationKind kind,
              std::vector<coverage::Station>& stations) const;  // appends
    void store(const std::string& file, const DatabaseFileIdentity& identity, coverage::StationKind kind,
               const std::vector<coverage::Station>& stations) const;

    std::string m_dir;
    mutable bool m_lastFromCache = false;
};

// ${XDG_CACHE_HOME:-~/.cache}/meridane, or nothing without a home folder.
std::string defaultStationCacheDir();

// The stations' facts as a cache file holds them, and back: exposed for
// tests. decode returns false for anything but exactly what encode wrote
// for this identity and kind.
std::string encodeStationFacts(const DatabaseFileIdentity& identity, coverage::StationKind kind,
                               const std::vector<coverage::Station>& stations);
bool decodeStationFacts(const std::string& bytes, const DatabaseFileIdentity& identity, coverage::StationKind kind,
                        std::vector<coverage::Station>& stations);

}  // namespace search
