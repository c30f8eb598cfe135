// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class CDatabase;

// Whether the database has a table of this name: the side tables the
// importer added over time (nav_idents, nav_coverage, ndb_coverage) are
// missing from files imported before them. Throws CDBException when the
// database cannot say.
bool HasTable(CDatabase& database, const std::string& table);
