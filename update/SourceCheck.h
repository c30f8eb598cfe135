// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <map>
#include <string>

namespace update {

// The OurAirports files an update fetches, in the order it fetches them.
extern const char* const OUR_AIRPORTS_FILES[6];

// Data rows of each file in the repository's snapshot (navdata/ourairports),
// the yardstick for a download that came out far too small.
const std::map<std::string, std::size_t>& snapshotRows();

// Checks a downloaded file before the import sees it: it must be CSV text,
// not a web page that a server sent in its place with status 200. Returns its
// data rows (records after the header). Throws UpdateError naming the file.
std::size_t checkDownloadedCsv(const std::string& path, const std::string& name);

}  // namespace update
