// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Quoting.h"

std::string EscapeQuotes(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c == '\'')
            result += "''";
        else
            result += c;
    }
    return result;
}

std::string FrequencyText(const std::string& stored)
{
    return stored == "-1.0" ? std::string("NA") : stored;
}
