// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Doubles every apostrophe so that the text can stand between single quotes
// in SQL. Nothing else is escaped; multi-byte characters pass through.
std::string EscapeQuotes(const std::string& text);

// A frequency stored as exactly "-1.0" does not exist and is shown as "NA";
// every other text, "-1" and "" included, is shown as read.
std::string FrequencyText(const std::string& stored);
