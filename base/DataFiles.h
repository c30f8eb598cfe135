// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace base {

// The data directories of an install, in the order they are searched:
// share/meridane beside the program's bin directory (an install wherever it
// lives, written as found: ".../bin/../share/meridane"), where the system
// says where the program is, then the one this build installs to. The
// data files, the shipped database and the ODBC registration all lie below
// them.
std::vector<std::string> installedDataDirs();

// The user's own data or cache directory as the XDG base directory rules
// name it: $XDG_DATA_HOME or $XDG_CACHE_HOME where it is an absolute path (a
// relative one is to be ignored), else ~/.local/share or ~/.cache; "" when
// HOME is not set either.
enum class UserDir { Data, Cache };
std::string userDir(UserDir which);

// The path of a data file the program ships beside its navigation database,
// given relative to Meridane's data directory ("wmm/WMM2025.COF",
// "naturalearth/land-50m.json"). Looks, in this order, in $MERIDANE_DATA_DIR
// (when set), in share/meridane beside the program's bin directory (an
// install wherever it lives), in the data directory this build installs to,
// and in the navigation source data the build was configured with. Returns
// the first regular file found; throws std::runtime_error naming the file and
// every place tried when there is none.
std::string findDataFile(const std::string& relative);

}  // namespace base
