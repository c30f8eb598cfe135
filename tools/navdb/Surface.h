// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace navdb {

// The runway surface in plain words for the pilot ("Asphalt", "Grass") from
// the code OurAirports carries, which mixes national abbreviations (ASP, ASPH,
// GRS, TURF, GRE, GVL), whole words in several languages and compounds with a
// condition or a second material (ASPH-G, TURF-DIRT, "ASPH/ CONC",
// "GRASSED BROWN CLAY"). The first word naming a known material decides;
// condition letters and colours are ignored because they name no material.
// A code with no known material word is returned as given (without
// surrounding blanks) so nothing the source says is lost; empty stays empty.
std::string surfaceName(std::string_view code);

}  // namespace navdb
