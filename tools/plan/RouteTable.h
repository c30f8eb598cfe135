// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <vector>

// The route rows as the course report's navigation table lays them out
// (heading, underline, one line per beacon), with plain line ends.
void PrintRouteTable(std::ostream& out, const std::vector<std::vector<std::string>>& rows);

// Exactly the cell texts, tab-separated, one row per line.
void PrintRouteTsv(std::ostream& out, const std::vector<std::vector<std::string>>& rows);
