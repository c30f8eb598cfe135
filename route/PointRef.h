// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// A point of the navigation database: a table ("airports" or "navs") and the
// row's ID text, which goes into SQL unquoted.
struct PointRef {
    std::string table;
    std::string id;
};
