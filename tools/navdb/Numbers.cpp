// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/Numbers.h"

#include "base/NumberText.h"

#include <cmath>

namespace navdb {

std::string_view trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::optional<double> parseNumber(std::string_view text)
{
    return base::parseDecimal(text);
}

std::optional<long long> parseWholeNumber(std::string_view text)
{
    const auto value = parseNumber(text);
    if (!value || std::fabs(*value) > 9.0e15) {
        return std::nullopt;
    }
    return std::llround(*value);
}

}  // namespace navdb
