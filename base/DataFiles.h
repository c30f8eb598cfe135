// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// The data directories of an install, in the order they are searched:
// share/meridane beside the program's bin directory (an install wherever it
// lives, written as found: ".../bin/../share/meridane"), where the system
// says where the program is, then the one this build installs to. The
// data files, the shipped database and the ODBC registration all lie below
// them.
std::vector<std::string> InstalledDataDirs();

// The path of a data file the program ships beside its navigation database,
// given relative to Meridane's data directory ("wmm/WMM2025.COF",
// "naturalearth/land-50m.json"). Looks, in this order, in $MERIDANE_DATA_DIR
// (when set), in share/meridane beside the program's bin directory (an
// install wherever it lives), in the data directory this build installs to,
// and in the navigation source data the build was configured with. Returns
// the first regular file found; throws std::runtime_error naming the file and
// every place tried when there is none.
std::string FindDataFile(const std::string& relative);
