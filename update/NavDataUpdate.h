// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/navdb/Importer.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace update {

// Where the OurAirports data site publishes the six files.
extern const char* const OUR_AIRPORTS_DATA_URL;

struct UpdateOptions {
    std::string sourceUrl;  // the address the file names are appended to
    std::string output;     // the database to replace
    std::string cacheDir;   // the downloads of earlier updates (DownloadCache.h)
    std::string xplaneNav;  // nav.dat for ILS frequencies; empty for none
    bool includeHeliports = false;
    // Takes a file with under half the rows of referenceRows' count for it.
    bool force = false;
    long timeoutSeconds = 30;
    std::map<std::string, std::size_t> referenceRows;  // by file name; a file not named has no minimum
};

struct UpdateProgress {
    enum class Stage { Download, Import };
    Stage stage = Stage::Download;
    std::size_t file = 0;  // 0-based, of files
    std::size_t files = 0;
    std::string name;
    std::uint64_t received = 0;
    std::uint64_t total = 0;  // 0 when unknown
};

// Told where the update stands, often; returns false to cancel it.
using UpdateProgressHandler = std::function<bool(const UpdateProgress&)>;

struct FetchedFile {
    std::string name;
    bool downloaded = false;  // false: unchanged since the last update, taken from the cache
    std::uint64_t bytes = 0;
    std::string date;         // of its data, YYYY-MM-DD
};

struct UpdateResult {
    std::vector<FetchedFile> files;
    navdb::ImportResult import;
    std::vector<std::string> notes;  // what went wrong after the database was replaced (the cache)
};

// Fetches the six OurAirports files (only those changed since the cached
// copies), checks them, imports them with options.xplaneNav into a new file
// and replaces options.output with it. Holds the update lock meanwhile.
// Every failure throws UpdateError naming the file and the cause, and
// UpdateCancelled when progress said so; either way options.output is as it
// was and nothing is left in the cache but what was there before.
UpdateResult updateNavigationData(const UpdateOptions& options, const UpdateProgressHandler& progress);

// ${XDG_DATA_HOME:-~/.local/share}/meridane/VORS.MDB
std::string defaultDatabasePath();
// ${XDG_CACHE_HOME:-~/.cache}/meridane
std::string defaultCacheDir();
// $MERIDANE_OURAIRPORTS_URL when set, else OUR_AIRPORTS_DATA_URL.
std::string defaultSourceUrl();

}  // namespace update
