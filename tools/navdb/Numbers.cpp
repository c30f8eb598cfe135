#include "Numbers.h"

#include <charconv>
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
    text = trimBlanks(text);
    // from_chars rejects a leading '+', which some exports write.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') {
            return std::nullopt;
        }
    }
    if (text.empty()) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
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
