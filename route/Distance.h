// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class CDatabase;

// Flat distance in nautical miles between point A (tableA, idA) and point B
// (tableB, idB): one degree of latitude or longitude difference is
// NM_PER_DEGREE, with no correction for latitude. Each call reads both points
// afresh, one query each.
double GetDistance(CDatabase* pDatabase, const std::string& idA, const std::string& idB,
                   const std::string& tableA, const std::string& tableB);
