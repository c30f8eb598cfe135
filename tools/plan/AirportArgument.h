// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>

class CDatabase;

// The ID text of the airport a command-line argument names: "#" and an
// airport ID, an ident (any letter case), or an IATA code or other text that
// is the ident or IATA code of exactly one airport. Otherwise "", after
// telling `err` so, with the best matches of the text when there are any.
// Database errors throw CDBException. databaseName names the database in
// the messages.
std::string ResolveAirportArgument(CDatabase& database, const std::string& text, const std::string& databaseName,
                                   std::ostream& err);
