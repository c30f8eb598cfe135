// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Makes the driver name of the connection string known to the ODBC driver
// manager. When the system already registers it, nothing changes; otherwise
// the manager is pointed (ODBCSYSINI) at the registration this program ships,
// so neither root nor a change to /etc is needed. Call before the first ODBC
// environment is allocated. Returns the directory chosen, or "" for none.
std::string EnsureDriverRegistered(const std::string& driverName);

// The value of a keyword in an ODBC connection text ("KEY=value;..."),
// keywords compared without regard to case; "" when absent.
std::string ConnectKeyword(const std::string& connect, const std::string& keyword);
